// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "contest/season_file.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "contest/field.h"
#include "contest/names.h"

namespace {

const char* const kMagic = "valmora-puchar";

// FNV-1a: one changed byte always changes it.
uint32_t checksum(const char* data, size_t length) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < length; ++i)
        h = (h ^ static_cast<unsigned char>(data[i])) * 16777619u;
    return h;
}

template <typename T> void list(std::ostringstream& out, const char* key, const std::vector<T>& v) {
    out << key;
    for (const T& x : v)
        out << ' ' << x;
    out << '\n';
}

// The file's lines, each split at single blanks; a name keeps the rest of its line.
struct Lines {
    std::vector<std::string> lines;
    size_t next = 0;
    std::string why;

    bool fail(const std::string& cause) {
        if (why.empty()) why = cause;
        return false;
    }
    // The next line, which must begin with `key` and a blank (or be `key` alone).
    bool take(const std::string& key, std::string& rest) {
        if (next >= lines.size()) return fail("ends before its " + key + " line");
        const std::string& line = lines[next];
        if (line == key) {
            rest.clear();
        } else if (line.compare(0, key.size() + 1, key + " ") == 0) {
            rest = line.substr(key.size() + 1);
        } else {
            return fail("has no " + key + " line where it belongs");
        }
        ++next;
        return true;
    }
    bool peek(const std::string& key) const {
        return next < lines.size() && lines[next].compare(0, key.size() + 1, key + " ") == 0;
    }
};

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t blank = text.find(' ', start);
        out.push_back(text.substr(start, blank - start));
        if (blank == std::string::npos) return out;
        start = blank + 1;
    }
}

// Digits as the game writes them: no leading zero but in "0" itself.
bool plainDigits(const std::string& word, size_t from, size_t most) {
    const size_t count = word.size() - from;
    if (count == 0 || count > most || (count > 1 && word[from] == '0')) return false;
    return word.find_first_not_of("0123456789", from) == std::string::npos;
}

// A decimal integer as the game writes them: an optional minus (never before 0) and at most
// 18 digits, so that a file read back is the very text the game would write.
bool integer(const std::string& word, long long low, long long high, long long& value) {
    const size_t i = !word.empty() && word[0] == '-' ? 1 : 0;
    if (!plainDigits(word, i, 18) || (i && word == "-0")) return false;
    long long magnitude = 0;
    for (size_t k = i; k < word.size(); ++k)
        magnitude = magnitude * 10 + (word[k] - '0');
    value = i ? -magnitude : magnitude;
    return value >= low && value <= high;
}

bool unsignedWord(const std::string& word, uint64_t& value) {
    if (!plainDigits(word, 0, 20)) return false;
    value = 0;
    for (char c : word) {
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

bool one(Lines& in, const char* key, long long low, long long high, long long& value) {
    std::string rest;
    if (!in.take(key, rest)) return false;
    if (!integer(rest, low, high, value)) return in.fail(std::string("has a bad ") + key + " line");
    return true;
}

bool many(Lines& in, const char* key, size_t count, long long low, long long high,
          std::vector<int>& values) {
    std::string rest;
    if (!in.take(key, rest)) return false;
    const std::vector<std::string> w = words(rest);
    if (count == 0 ? !rest.empty() : w.size() != count)
        return in.fail(std::string("has a wrong count on its ") + key + " line");
    values.clear();
    for (size_t i = 0; i < count; ++i) {
        long long v;
        if (!integer(w[i], low, high, v)) return in.fail(std::string("has a bad ") + key + " line");
        values.push_back(static_cast<int>(v));
    }
    return true;
}

bool isPermutation(std::vector<int> order, size_t count) {
    if (order.size() != count) return false;
    std::vector<bool> seen(count, false);
    for (int i : order) {
        if (i < 0 || static_cast<size_t>(i) >= count || seen[i]) return false;
        seen[i] = true;
    }
    return true;
}

// path.bad, or the first free path.badN: a file kept earlier is never replaced.
std::string keepAside(const char* path) {
    for (int n = 0; n < 1000; ++n) {
        const std::string to = std::string(path) + ".bad" + (n ? std::to_string(n) : "");
        if (renameat2(AT_FDCWD, path, AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return to;
        if (errno == EEXIST) continue;
        // A file system without the no-replace rename: a hard link refuses an existing name.
        if (errno != EINVAL && errno != ENOSYS) return "";
        if (link(path, to.c_str()) == 0) return unlink(path) == 0 ? to : "";
        if (errno != EEXIST) return "";
    }
    return "";
}

} // namespace

struct ContestFile {
    static std::string text(const Contest& c) {
        std::ostringstream out;
        out << kMagic << ' ' << kSeasonVersion << '\n';
        out << "format " << static_cast<int>(c.format_) << '\n';
        out << "hill " << c.singleHill_ << '\n';
        out << "seed " << c.seed_ << '\n';
        out << "random " << c.random_.state << '\n';
        out << "competition " << c.competition_ << '\n';
        out << "humans " << c.humans() << '\n';
        for (const Starter& s : c.starters_)
            if (s.human) out << "name " << s.name << '\n';
        out << "computers " << c.computers() << '\n';
        list(out, "points", c.pointsBefore_);
        list(out, "form", c.formMilli_);
        list(out, "order", c.firstOrder_);
        // The jumps in the order they were made, so that reading plays them back.
        auto jumps = [&](int round) {
            const std::vector<JumpResult>& results = round == 1 ? c.first_ : c.final_;
            const int made = c.round_ == round ? c.turn_
                             : (c.round_ == 0 || round < c.round_)
                                 ? static_cast<int>(c.order(round).size())
                                 : 0;
            for (int t = 0; t < made; ++t) {
                const int who = c.order(round)[t];
                const JumpResult& r = results[who];
                out << "jump " << who << ' ' << r.distance << ' ' << r.total << ' '
                    << (r.fell ? 1 : 0) << '\n';
            }
        };
        jumps(1);
        jumps(2);
        out << "round " << c.round_ << '\n';
        out << "turn " << c.turn_ << '\n';
        const std::string body = out.str();
        return body + seasonEndLine(body);
    }

    static std::optional<Contest> parse(const std::string& text, std::string& why) {
        // The version first: a later game's file may be laid out in any way.
        const std::string magic = std::string(kMagic) + " ";
        if (text.compare(0, magic.size(), magic) != 0) return refuse(why, "is no season file");
        {
            const size_t end = text.find('\n');
            long long version;
            if (end == std::string::npos ||
                !integer(text.substr(magic.size(), end - magic.size()), 1, 1000000, version))
                return refuse(why, "has a bad version line");
            if (version > kSeasonVersion)
                return refuse(why, "is from a later version of the game (" +
                                       std::to_string(version) + ")");
            if (version != kSeasonVersion) return refuse(why, "has an unknown version");
        }
        // The last line is the checksum of everything before it.
        if (text.empty() || text.back() != '\n') return refuse(why, "is cut short");
        const size_t last = text.rfind('\n', text.size() - 2);
        if (last == std::string::npos) return refuse(why, "is cut short");
        const std::string body = text.substr(0, last + 1);
        if (text.compare(last + 1, 4, "end ") != 0) return refuse(why, "is cut short");
        if (text.substr(last + 1) != seasonEndLine(body))
            return refuse(why, "does not match its checksum (damaged)");

        Lines in;
        std::istringstream lines(body);
        for (std::string line; std::getline(lines, line);)
            in.lines.push_back(line);
        in.next = 1;

        Contest c;
        long long format, hill, competition, humans, computers, round, turn;
        uint64_t seed = 0, random = 0;
        std::string rest;
        if (!one(in, "format", 0, 1, format) || !one(in, "hill", 1, 3, hill))
            return refuse(why, in.why);
        if (!in.take("seed", rest)) return refuse(why, in.why);
        if (!unsignedWord(rest, seed)) return refuse(why, "has a bad seed line");
        if (!in.take("random", rest)) return refuse(why, in.why);
        if (!unsignedWord(rest, random)) return refuse(why, "has a bad random line");
        const long long lastCompetition = format == 1 ? kWorldCupCompetitions - 1 : 0;
        if (!one(in, "competition", 0, lastCompetition, competition) ||
            !one(in, "humans", 1, kMaxHumans, humans))
            return refuse(why, in.why);
        std::vector<std::string> names;
        for (long long i = 0; i < humans; ++i) {
            if (!in.take("name", rest)) return refuse(why, in.why);
            // Only a name the game could have made.
            if (playerName(rest, static_cast<int>(i)) != rest) return refuse(why, "has a bad name");
            names.push_back(rest);
        }
        if (!one(in, "computers", 0, kFieldSize, computers)) return refuse(why, in.why);

        ContestSetup setup;
        setup.format = format == 1 ? ContestFormat::WorldCup : ContestFormat::Single;
        setup.hill = static_cast<int>(hill);
        setup.humanNames = names;
        setup.computers = static_cast<int>(computers);
        setup.seed = seed;
        c = Contest::start(setup);
        const size_t n = c.starters_.size();
        std::vector<int> points, form, order;
        const long long mostPoints = worldCupPoints(1) * competition;
        if (!many(in, "points", n, 0, mostPoints, points) ||
            !many(in, "form", n, -kFormRangeMilli, kFormRangeMilli, form) ||
            !many(in, "order", n, 0, static_cast<long long>(n) - 1, order))
            return refuse(why, in.why);
        if (!isPermutation(order, n)) return refuse(why, "has a bad order");
        for (size_t i = 0; i < n; ++i)
            if (c.starters_[i].human && form[i] != 0) return refuse(why, "has a bad form");
        c.competition_ = static_cast<int>(competition);
        c.pointsBefore_ = points;
        c.formMilli_ = form;
        c.firstOrder_ = order;
        c.random_.state = random;

        while (in.peek("jump")) {
            in.take("jump", rest);
            const std::vector<std::string> w = words(rest);
            long long who, distance, total, fell;
            if (w.size() != 4 || !integer(w[0], 0, static_cast<long long>(n) - 1, who) ||
                !integer(w[1], 0, kLongestDistance, distance) ||
                !integer(w[2], kLowestTotal, kHighestTotal, total) || !integer(w[3], 0, 1, fell))
                return refuse(why, "has a bad jump line");
            if (who != c.nextStarter()) return refuse(why, "has a jump out of turn");
            c.record({static_cast<int>(distance), static_cast<int>(total), fell == 1});
        }
        if (!one(in, "round", 0, 2, round) || !one(in, "turn", 0, static_cast<long long>(n), turn))
            return refuse(why, in.why);
        if (round != c.round_ || turn != c.turn_)
            return refuse(why, "has a turn its jumps do not reach");
        if (in.next != in.lines.size()) return refuse(why, "has lines after its turn");
        return c;
    }

    static std::optional<Contest> refuse(std::string& why, const std::string& cause) {
        why = cause.empty() ? "is damaged" : cause;
        return std::nullopt;
    }
};

std::string seasonEndLine(const std::string& body) {
    char line[32];
    std::snprintf(line, sizeof line, "end %08" PRIx32 "\n", checksum(body.data(), body.size()));
    return line;
}

std::string seasonText(const Contest& contest) {
    return ContestFile::text(contest);
}

std::optional<Contest> parseSeasonText(const std::string& text, std::string* why) {
    std::string cause;
    std::optional<Contest> c = ContestFile::parse(text, cause);
    if (why) *why = cause;
    return c;
}

WriteResult saveSeason(const Contest& contest, const char* path) {
    return replaceFile(path, seasonText(contest));
}

SeasonLoad loadSeason(const char* path) {
    SeasonLoad load;
    std::vector<uint8_t> bytes;
    std::string why;
    switch (readWholeFile(path, kLongestSeasonFile, bytes)) {
    case FileRead::Missing:
        return load;
    case FileRead::Unreadable:
        load.read = SeasonRead::Unreadable;
        std::fprintf(stderr,
                     "orbel: %s cannot be read (or is no regular file); no season is "
                     "loaded and it is left as it is\n",
                     path);
        return load;
    case FileRead::TooLong:
        why = "is longer than any season file";
        break;
    case FileRead::Read:
        load.contest = parseSeasonText(std::string(bytes.begin(), bytes.end()), &why);
        if (load.contest) {
            load.read = SeasonRead::Loaded;
            return load;
        }
        break;
    }
    load.read = SeasonRead::Refused;
    load.keptAs = keepAside(path);
    if (load.keptAs.empty())
        std::fprintf(stderr,
                     "orbel: %s %s; it could not be moved aside (%s), and no season is "
                     "loaded\n",
                     path, why.c_str(), std::strerror(errno));
    else
        std::fprintf(stderr, "orbel: %s %s; it is kept as %s, and no season is loaded\n", path,
                     why.c_str(), load.keptAs.c_str());
    return load;
}

bool removeSeason(const char* path) {
    return unlink(path) == 0 || errno == ENOENT;
}
