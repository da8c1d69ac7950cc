#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <system_error>

namespace marlit::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "marlit-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace marlit::test
