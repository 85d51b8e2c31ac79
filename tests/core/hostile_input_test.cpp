// korvex-cli run as a child process on what a customer might send: part files nested far deeper
// than a real one, a list of too many parts, names no file can have, a write that fails in the
// folders the run made, too little memory, and a signal while the run writes. Each ends with one
// short line and status 1, or by its signal, and leaves nothing behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

const std::string kProject = KORVEX_PROJECTS_FOLDER "/default.kvx";

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

// A list of rows "FILE,QUANTITY,NAME".
std::string List(const std::vector<std::string>& rows) {
  std::string list = "file,quantity,name\n";
  for (const std::string& row : rows)
    list += row + "\n";
  return list;
}

// A list of the project count times, each row asking for quantity.
std::string Rows(int count, int quantity) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i)
    rows.push_back(kProject + "," + std::to_string(quantity) + ",r" + std::to_string(i));
  return List(rows);
}

// What the child runs under: a limit (RLIMIT_AS or RLIMIT_FSIZE), or a signal sent as soon as
// the run makes its first entry in "out", which exists then.
struct Condition {
  int limit = -1;
  rlim_t value = 0;
  int signal = 0;
};

struct HostileCase {
  const char* name;
  std::vector<std::pair<const char*, std::string (*)()>> files;  // made in the folder first
  std::vector<std::string> arguments;                            // "@" first: the folder
  std::vector<std::string> said;  // in the one line on standard error; none: ended by the signal
  Condition condition;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

class HostileRun : public testing::TestWithParam<HostileCase> {
 protected:
  // Runs korvex-cli with standard error in a file; the status waitpid gives.
  int run(const HostileCase& c) {
    std::vector<std::string> command{KORVEX_CLI_PATH};
    for (const std::string& a : c.arguments)
      command.push_back(a.starts_with('@') ? folder_.path().string() + a.substr(1) : a);
    std::vector<char*> argv;
    for (std::string& argument : command)
      argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int watch = inotify_init1(IN_CLOEXEC);
    if (c.condition.signal != 0) {
      fs::create_directory(folder_ / "out");
      EXPECT_GE(inotify_add_watch(watch, folder_.file("out").c_str(), IN_CREATE), 0);
    }
    const std::string error = folder_.file("stderr.txt");
    const pid_t child = fork();
    if (child == 0) {
      dup2(open("/dev/null", O_RDWR), 1);
      dup2(open(error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
      // As from a terminal: the signals end the run, a file grown past its limit fails a write.
      signal(SIGINT, SIG_DFL);
      signal(SIGTERM, SIG_DFL);
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{c.condition.value, c.condition.value};
      if (c.condition.limit >= 0) setrlimit(c.condition.limit, &limit);
      execv(argv[0], argv.data());
      _exit(127);
    }
    pollfd created{watch, POLLIN, 0};
    if (c.condition.signal != 0 && poll(&created, 1, 60000) == 1) kill(child, c.condition.signal);
    close(watch);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
  }

  test::TempFolder folder_;
};

TEST_P(HostileRun, EndsWithOneLineAndLeavesNothing) {
  const HostileCase& c = GetParam();
  if (kAddressSanitizer && c.condition.limit == RLIMIT_AS)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any cap";
  for (const auto& [name, bytes] : c.files)
    test::WriteAll(folder_ / name, bytes());
  const int status = run(c);
  const std::string error = test::ReadAll(folder_ / "stderr.txt");
  if (c.said.empty()) {
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.condition.signal) << error;
    // No temporary file, no output: the run ended before it put anything in place.
    EXPECT_TRUE(fs::is_empty(folder_ / "out"));
    return;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  for (const std::string& part : c.said)
    EXPECT_NE(error.find(part), std::string::npos) << error;
  EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
  EXPECT_LT(error.size(), 300u) << "a long value is quoted short";
  EXPECT_FALSE(fs::exists(folder_ / "out")) << "nothing written, no folder left";
}

const std::string kDeep = "tables, keys, arrays and inline tables nested more than 32 deep";

std::vector<std::string> ListInto(const char* folder) {
  return {"--cut-list", "@/list.csv", "--stock", "6000", "--out-dir", folder};
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileRun,
    testing::Values(
        HostileCase{"table_header_500000_deep",
                    {{"deep.kvxp", [] { return "[" + Repeated("a.", 499999) + "a]\n"; }}},
                    {"@/deep.kvxp", "@/out/deep.ngc"},
                    {"deep.kvxp:1: " + kDeep},
                    {}},
        // A table header of 2 keys and a dotted key of 31 parts nest 33 deep.
        HostileCase{
            "part_of_a_list_33_deep",
            {{"deep.kvxp", [] { return "[a.b]\nx = 1\n" + Repeated("k.", 30) + "k = 1\n"; }},
             {"list.csv", [] { return List({"deep.kvxp,1,deep"}); }}},
            ListInto("@/out/x/y"),
            {"list.csv:2: deep.kvxp not opened: ", ":3: " + kDeep},
            {}},
        // Six rows of 10,000: the sixth, on line 7, passes 50,000.
        HostileCase{"sixty_thousand_parts",
                    {{"list.csv", [] { return Rows(6, 10000); }}},
                    ListInto("@/out/x"),
                    {"list.csv:7: with this line the list asks for 60000 parts, more than the "
                     "50000 a list may hold"},
                    {}},
        HostileCase{"name_of_300_bytes",
                    {{"list.csv", [] { return List({kProject + ",1," + std::string(300, 'n')}); }}},
                    ListInto("@/out/x/y/z"),
                    {"list.csv:2: the name \"" + std::string(40, 'n') + "...\" is 300 bytes long"},
                    {}},
        // A PDF template of it would be the cut sheet, also where case is not told apart.
        HostileCase{"name_of_the_cut_sheet",
                    {{"list.csv", [] { return List({kProject + ",1,Cut-Sheet"}); }}},
                    ListInto("@/out"),
                    {"list.csv:2: the name \"Cut-Sheet\" is kept for the plan's own"},
                    {}},
        // A program larger than a file may grow fails as on a full disk.
        HostileCase{"write_fails_in_new_folders",
                    {{"list.csv", [] { return List({kProject + ",1,a"}); }}},
                    ListInto("@/out/x/y"),
                    {"nothing written: cannot write ", "a.ngc: File too large"},
                    {RLIMIT_FSIZE, 1000, 0}},
        HostileCase{"fifteen_megabytes_in_24_mib",
                    {{"list.csv",
                      [] {
                        return "file,quantity,note\n" + kProject + ",1," +
                               std::string(15 << 20, 'x') + "\n";
                      }}},
                    ListInto("@/out/x"),
                    {"korvex-cli: out of memory: nothing written"},
                    {RLIMIT_AS, rlim_t{24} << 20, 0}},
        HostileCase{"sigterm_while_staging",
                    {{"list.csv", [] { return Rows(100, 1); }}},
                    ListInto("@/out"),
                    {},
                    {-1, 0, SIGTERM}}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
}  // namespace korvex
