#include "fuzzing/mutator.h"

#include <algorithm>
#include <cctype>

namespace suite::fuzzing {

uint64_t Random::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t HashName(const std::string& text) {
    uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a
    for (unsigned char c : text) hash = (hash ^ c) * 0x100000001B3ull;
    return hash;
}

namespace {

// Values at the edges of the widths readers use for lengths and counts.
constexpr uint64_t kInteresting[] = {0,          1,          0x7F,       0x80,       0xFF,
                                     0x100,      0x7FFF,     0x8000,     0xFFFF,     0x10000,
                                     0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x40,       0x3F,
                                     0x1000,     0xFFFFFFFFFFFFFFFFull, 0x8000000000000000ull};

size_t Position(Random& random, const std::string& data) {
    return data.empty() ? 0 : static_cast<size_t>(random.Below(data.size() + 1));
}

void FlipBit(std::string& data, Random& random) {
    if (data.empty()) return;
    data[random.Below(data.size())] ^= static_cast<char>(1u << random.Below(8));
}

void SetInteresting(std::string& data, Random& random) {
    if (data.empty()) return;
    uint64_t value = kInteresting[random.Below(std::size(kInteresting))];
    size_t width = size_t(1) << random.Below(4);  // 1, 2, 4 or 8 bytes
    size_t at = static_cast<size_t>(random.Below(data.size()));
    bool bigEndian = random.OneIn(4);
    for (size_t i = 0; i < width && at + i < data.size(); ++i) {
        size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        data[at + i] = static_cast<char>(value >> shift);
    }
}

void InsertBytes(std::string& data, Random& random) {
    size_t at = Position(random, data);
    size_t count = 1 + random.Below(random.OneIn(8) ? 4096 : 16);
    std::string bytes(count, '\0');
    char fill = static_cast<char>(random.Next());
    bool repeat = random.OneIn(2);
    for (auto& b : bytes) b = repeat ? fill : static_cast<char>(random.Next());
    data.insert(at, bytes);
}

void DeleteRange(std::string& data, Random& random) {
    if (data.empty()) return;
    size_t at = static_cast<size_t>(random.Below(data.size()));
    size_t count = 1 + random.Below(std::min<size_t>(data.size() - at, random.OneIn(4) ? 1024 : 16));
    data.erase(at, count);
}

void DuplicateRange(std::string& data, Random& random) {
    if (data.empty()) return;
    size_t at = static_cast<size_t>(random.Below(data.size()));
    size_t count = 1 + random.Below(std::min<size_t>(data.size() - at, 256));
    std::string range = data.substr(at, count);
    size_t times = random.OneIn(8) ? 1 + random.Below(64) : 1;
    std::string copies;
    for (size_t i = 0; i < times; ++i) copies += range;
    data.insert(Position(random, data), copies);
}

void Splice(std::string& data, Random& random, const std::vector<std::string>& corpus) {
    const std::string& other = corpus[random.Below(corpus.size())];
    if (other.empty()) return;
    size_t cut = Position(random, data);
    size_t from = static_cast<size_t>(random.Below(other.size()));
    data = data.substr(0, cut) + other.substr(from);
}

void InsertToken(std::string& data, Random& random, const std::vector<std::string>& tokens) {
    if (tokens.empty()) return;
    const std::string& token = tokens[random.Below(tokens.size())];
    size_t at = Position(random, data);
    if (random.OneIn(2)) {
        data.insert(at, token);
        return;
    }
    // Over the word at that place: a value or a name exchanged for another.
    size_t end = at;
    while (end < data.size() && (std::isalnum(static_cast<unsigned char>(data[end])) || data[end] == '_')) ++end;
    data.replace(at, end - at, token);
}

}  // namespace

std::string Mutate(const MutationSources& sources, Random& random, size_t maxSize) {
    const std::vector<std::string>& corpus = *sources.corpus;
    std::string data = corpus[random.Below(corpus.size())];
    int steps = 1 + static_cast<int>(random.Below(8));
    for (int i = 0; i < steps; ++i) {
        switch (random.Below(sources.tokens->empty() ? 6 : 8)) {
        case 0: FlipBit(data, random); break;
        case 1: SetInteresting(data, random); break;
        case 2: InsertBytes(data, random); break;
        case 3: DeleteRange(data, random); break;
        case 4: DuplicateRange(data, random); break;
        case 5: Splice(data, random, corpus); break;
        default: InsertToken(data, random, *sources.tokens); break;
        }
        if (data.size() > maxSize) data.resize(maxSize);
    }
    return data;
}

}  // namespace suite::fuzzing
