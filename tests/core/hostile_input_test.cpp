// Files a customer might send, run through korvex-cli as a child process: part files nested
// far deeper than any real one, a list asking for too many parts, a name no file can have, a
// write that fails in folders the run made, too little memory, and a signal while the run
// writes. Each ends with one short line and status 1, or by its signal, and leaves nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

// A list of parts, each row "FILE,QUANTITY,NAME".
std::string List(const std::vector<std::string>& rows) {
  std::string list = "file,quantity,name\n";
  for (const std::string& row : rows)
    list += row + "\n";
  return list;
}

const std::string kProject = KORVEX_PROJECTS_FOLDER "/default.kvx";

// Rows enough that staging their programs takes a while.
std::vector<std::string> ManyRows(int count) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i)
    rows.push_back(kProject + ",1,r" + std::to_string(i));
  return rows;
}

// A limit the child runs under: RLIMIT_AS or RLIMIT_FSIZE.
struct Limit {
  int resource = -1;
  rlim_t value = 0;
};

struct HostileCase {
  const char* name;
  std::vector<std::pair<const char*, std::string (*)()>> files;  // made in the folder first
  std::vector<std::string> arguments;                            // "@" at the start: the folder
  std::vector<std::string> said;  // in the one line on standard error; none: ended by signal
  int signal = 0;  // sent once the run makes its first entry in "out", which exists then
  Limit limit;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

struct Ending {
  int status = -1;  // the exit status, or -1 when a signal ended the child
  int signal = 0;
  std::string error;
};

class HostileRun : public testing::TestWithParam<HostileCase> {
 protected:
  std::string expanded(const std::string& argument) const {
    return argument.starts_with('@') ? folder_.path().string() + argument.substr(1) : argument;
  }

  // Runs korvex-cli; with a signal, sends it when inotify reports the first entry made in out.
  Ending run(const HostileCase& c) {
    std::vector<std::string> command{KORVEX_CLI_PATH};
    for (const std::string& argument : c.arguments)
      command.push_back(expanded(argument));
    std::vector<char*> argv;
    for (std::string& argument : command)
      argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string errorPath = folder_.file("stderr.txt");
    int watch = -1;
    if (c.signal != 0) {
      fs::create_directory(folder_ / "out");
      watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
      EXPECT_GE(inotify_add_watch(watch, folder_.file("out").c_str(), IN_CREATE), 0);
    }
    const pid_t child = fork();
    if (child == 0) {
      const int error = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int nothing = open("/dev/null", O_RDWR);
      dup2(nothing, 0);
      dup2(nothing, 1);
      dup2(error, 2);
      // As from a terminal: the signals end the run, a file grown past its limit fails a write.
      signal(SIGINT, SIG_DFL);
      signal(SIGTERM, SIG_DFL);
      signal(SIGXFSZ, SIG_IGN);
      if (c.limit.resource >= 0) {
        const rlimit limit{c.limit.value, c.limit.value};
        setrlimit(c.limit.resource, &limit);
      }
      execv(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    bool ended = false;
    if (watch >= 0) {
      // The first entry the run makes, or the run's end; never longer than a minute.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
      pollfd event{watch, POLLIN, 0};
      bool sent = false;
      while (!ended && !sent && std::chrono::steady_clock::now() < deadline) {
        ended = waitpid(child, &status, WNOHANG) == child;
        sent = !ended && poll(&event, 1, 100) == 1 && kill(child, c.signal) == 0;
      }
      if (!ended && !sent) kill(child, SIGKILL);
      close(watch);
    }
    if (!ended) waitpid(child, &status, 0);
    Ending ending;
    ending.error = ReadAll(errorPath);
    if (WIFEXITED(status)) ending.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) ending.signal = WTERMSIG(status);
    return ending;
  }

  test::TempFolder folder_;
};

TEST_P(HostileRun, EndsWithOneLineAndLeavesNothing) {
  const HostileCase& c = GetParam();
  if (kAddressSanitizer && c.limit.resource == RLIMIT_AS)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any cap";
  for (const auto& [name, bytes] : c.files)
    WriteAll(folder_ / name, bytes());
  const Ending ending = run(c);
  if (c.said.empty()) {
    EXPECT_EQ(ending.signal, c.signal) << ending.error;
    // No temporary file, no output, no folder: the run ended before it put anything in place.
    EXPECT_TRUE(fs::is_empty(folder_ / "out"));
    return;
  }
  EXPECT_EQ(ending.status, 1) << "signal " << ending.signal;
  for (const std::string& part : c.said)
    EXPECT_NE(ending.error.find(part), std::string::npos) << ending.error;
  EXPECT_EQ(std::count(ending.error.begin(), ending.error.end(), '\n'), 1) << ending.error;
  EXPECT_LT(ending.error.size(), 300u) << "a long value is quoted short";
  EXPECT_FALSE(fs::exists(folder_ / "out")) << "nothing written, no folder left";
}

const std::string kDeep = "tables, keys, arrays and inline tables nested more than 32 deep";

const std::vector<std::string> kListRun{"--cut-list", "@/list.csv", "--stock", "6000", "--out-dir"};

std::vector<std::string> ListInto(const char* folder) {
  std::vector<std::string> arguments = kListRun;
  arguments.push_back(folder);
  return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileRun,
    testing::Values(
        HostileCase{"table_header_500000_deep",
                    {{"deep.kvxp", [] { return "[" + Repeated("a.", 499999) + "a]\n"; }}},
                    {"@/deep.kvxp", "@/out/deep.ngc"},
                    {"deep.kvxp:1: " + kDeep},
                    0,
                    {}},
        HostileCase{
            "dotted_key_50000_deep_after_a_comment",
            {{"deep.kvxp", [] { return "# [[[[ a.a.a\n" + Repeated("a.", 49999) + "a = 1\n"; }}},
            {"@/deep.kvxp", "@/out/deep.ngc"},
            {"deep.kvxp:2: " + kDeep},
            0,
            {}},
        HostileCase{"arrays_in_inline_tables_200000_deep",
                    {{"deep.kvxp",
                      [] {
                        return "[[hole]]\nat = " + Repeated("[{a = ", 100000) + "1" +
                               Repeated("}]", 100000) + "\n";
                      }}},
                    {"@/deep.kvxp", "@/out/deep.ngc"},
                    {"deep.kvxp:2: " + kDeep},
                    0,
                    {}},
        // A table header of 2 and a dotted key of 31 nest 33 deep.
        HostileCase{"part_of_a_list_33_deep",
                    {{"deep.kvxp",
                      [] { return "name = \"x\"\n\n[a.b]\n" + Repeated("k.", 30) + "k = 1\n"; }},
                     {"list.csv", [] { return List({"deep.kvxp,1,deep"}); }}},
                    ListInto("@/out/x/y"),
                    {"list.csv:2: deep.kvxp not opened: ", ":4: " + kDeep},
                    0,
                    {}},
        // Six rows of 10,000: the sixth, on line 7, passes 50,000.
        HostileCase{"sixty_thousand_parts",
                    {{"list.csv",
                      [] {
                        std::vector<std::string> rows;
                        for (const char* name : {"a", "b", "c", "d", "e", "f"})
                          rows.push_back(kProject + ",10000," + name);
                        return List(rows);
                      }}},
                    ListInto("@/out/x"),
                    {"list.csv:7: with this line the list asks for 60000 parts, more than the "
                     "50000 a list may hold"},
                    0,
                    {}},
        HostileCase{"name_of_300_bytes",
                    {{"list.csv", [] { return List({kProject + ",1," + std::string(300, 'n')}); }}},
                    ListInto("@/out/x/y/z"),
                    {"list.csv:2: the name \"" + std::string(40, 'n') + "...\" is 300 bytes long"},
                    0,
                    {}},
        HostileCase{"file_named_by_a_megabyte",
                    {{"list.csv", [] { return List({std::string(1 << 20, 'f') + ",1,a"}); }}},
                    ListInto("@/out"),
                    {"list.csv:2: " + std::string(40, 'f') + "... not opened: "},
                    0,
                    {}},
        // Its PDF template would be the cut sheet, also where case is not told apart.
        HostileCase{
            "name_of_the_cut_sheet",
            {{"list.csv", [] { return List({kProject + ",1,Cut-Sheet"}); }}},
            {"--cut-list", "@/list.csv", "--stock", "6000", "--template", "--out-dir", "@/out"},
            {"list.csv:2: the name \"Cut-Sheet\" is kept for the plan's own"},
            0,
            {}},
        // Programs larger than a file may grow fail as on a full disk.
        HostileCase{"write_fails_in_new_folders",
                    {{"list.csv", [] { return List({kProject + ",1,a"}); }}},
                    ListInto("@/out/x/y"),
                    {"nothing written: cannot write ", "File too large"},
                    0,
                    {RLIMIT_FSIZE, 1000}},
        HostileCase{"fifteen_megabytes_in_24_mib",
                    {{"list.csv",
                      [] {
                        return "file,quantity,note\n" + kProject + ",1," +
                               std::string(15 << 20, 'x') + "\n";
                      }}},
                    ListInto("@/out/x"),
                    {"korvex-cli: out of memory: nothing written"},
                    0,
                    {RLIMIT_AS, rlim_t{24} << 20}},
        HostileCase{"sigterm_while_staging",
                    {{"list.csv", [] { return List(ManyRows(150)); }}},
                    ListInto("@/out"),
                    {},
                    SIGTERM,
                    {}},
        HostileCase{"sigint_in_new_folders",
                    {{"list.csv", [] { return List(ManyRows(150)); }}},
                    ListInto("@/out/new/sub"),
                    {},
                    SIGINT,
                    {}}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
}  // namespace korvex
