#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

// Reading programs and the interpreter's canonical output, and running processes.
namespace korvex::test {

inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline double ReadNumber(std::string_view text, std::size_t& position) {
  while (position < text.size() && text[position] == ' ')
    ++position;
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data() + position, text.data() + text.size(), value);
  EXPECT_EQ(error, std::errc()) << "no number at " << position << " in: " << text;
  position = static_cast<std::size_t>(end - text.data());
  return value;
}

inline  // Runs a program with its standard streams on files; the exit status, or -1.
    int
    RunProcess(const std::vector<std::string>& command, const std::filesystem::path& output,
               const std::filesystem::path& error) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv;
  for (const std::string& argument : command)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace korvex::test
