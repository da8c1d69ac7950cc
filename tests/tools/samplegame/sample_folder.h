// The small sample game, written once per test program by mksample as a
// user runs it, and the files of a folder for comparing and reading.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace marlit::test {

// The folder mksample --small wrote (made once per build of mksample and
// kept beside the built programs; the test fails with mksample's own
// message when it could not be made).
const std::string& smallSampleFolder();
// A second run of mksample --small into another folder, made at the same
// time as the first with another number of workers, for comparing the two.
const std::string& secondSampleFolder();

// Every file under a folder by its path relative to it ("/" separated).
std::map<std::string, std::vector<uint8_t>> folderFiles(const std::string& root);

// A game path ("AdvData\GRP\...") as a host path under the folder.
std::string gameFile(const std::string& root, const std::string& gamePath);

}  // namespace marlit::test
