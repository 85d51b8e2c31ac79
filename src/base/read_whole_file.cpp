#include "base/read_whole_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "base/file_kind.h"

namespace fs = std::filesystem;

namespace korvex {
namespace {

std::string TooLarge(const std::string& path, std::size_t maxBytes) {
  constexpr std::size_t kMiB = 1024 * 1024;
  const std::string limit = maxBytes % kMiB == 0 ? std::to_string(maxBytes / kMiB) + " MiB"
                                                 : std::to_string(maxBytes) + " bytes";
  return path + " is larger than " + limit;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) return {{}, "no file name given"};
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) return {{}, "cannot open " + path + ": " + error.message()};
  if (!fs::is_regular_file(status)) return {{}, path + " is " + FileKindName(status.type())};

  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    const int cause = errno != 0 ? errno : EIO;
    return {{}, "cannot open " + path + ": " + std::generic_category().message(cause)};
  }

  // Read in pieces rather than trusting the size: the file may change while it is read.
  FileContents contents;
  char buffer[65536];
  for (;;) {
    const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
    if (contents.bytes.size() + count > maxBytes) return {{}, TooLarge(path, maxBytes)};
    contents.bytes.append(buffer, count);
    if (count < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    const int cause = errno != 0 ? errno : EIO;
    return {{}, "cannot read " + path + ": " + std::generic_category().message(cause)};
  }
  return contents;
}

}  // namespace korvex
