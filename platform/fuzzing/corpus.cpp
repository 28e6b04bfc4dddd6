#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "fuzzing/mutator.h"
#include "fuzzing/target.h"

namespace suite::fuzzing {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The files of a folder in name order, or the file itself.
std::vector<std::string> FilesAt(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {path};
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(path + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::string RepositoryPath(const std::string& relative) {
    std::string root = SUITE_REPOSITORY_DIR;
    // Under Wine the build's Unix path is on drive Z:.
    if (!root.empty() && root[0] == '/') root = "Z:" + root;
    std::string path = root + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::vector<std::string> LoadSeeds(const Target& target) {
    std::vector<std::string> seeds;
    std::vector<std::string> places = target.seeds;
    places.push_back("platform/fuzzing/crashes/" + target.name);
    for (const std::string& place : places)
        for (const std::string& file : FilesAt(RepositoryPath(place))) seeds.push_back(ReadFile(file));
    if (seeds.empty()) seeds.emplace_back();
    return seeds;
}

std::string MakeInput(const Target& target, const std::vector<std::string>& seeds, uint64_t seed,
                      uint64_t index) {
    if (index < seeds.size()) return seeds[index];
    Random random(seed ^ HashName(target.name) ^ (index * 0xD1B54A32D192ED03ull));
    return Mutate({&seeds, &target.tokens}, random, target.maxSize);
}

const Target* FindTarget(const std::string& name) {
    for (const Target& target : AllTargets())
        if (target.name == name) return &target;
    return nullptr;
}

}  // namespace suite::fuzzing
