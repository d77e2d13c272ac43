#include "cli/Profile.h"

#include "tweaks/TweakCatalogue.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <set>

namespace tessel {
namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Where the parser stands: the line of the last character that was not white
// space, so that a value the parser has read past names its own line.
struct Position
{
    int line = 1;
    int newlines = 0;
};

// Walks the profile text for the JSON parser, counting lines, so that an error
// found while reading a value can name the line it stands on.
class CountingIterator
{
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, Position* position) : at_(at), position_(position) {}
    reference operator*() const { return *at_; }
    CountingIterator& operator++()
    {
        if (*at_ == '\n')
            ++position_->newlines;
        else if (*at_ != ' ' && *at_ != '\t' && *at_ != '\r')
            position_->line = position_->newlines + 1;
        ++at_;
        return *this;
    }
    CountingIterator operator++(int)
    {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const CountingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_;
    Position* position_;
};

using Json = nlohmann::json;

// Checks the profile while it is parsed; stops at the first fault.
class ProfileReader final : public nlohmann::json_sax<Json>
{
public:
    explicit ProfileReader(const int& line) : line_(line) {}

    bool null() override { return Scalar("null"); }
    bool boolean(bool) override { return Scalar("a truth value"); }
    bool number_integer(number_integer_t value) override { return Number(value); }
    bool number_unsigned(number_unsigned_t value) override
    {
        return Number(value > 1000 ? -1 : static_cast<long long>(value));
    }
    bool number_float(number_float_t, const string_t&) override { return Number(-1); }
    bool binary(binary_t&) override { return Scalar("binary data"); }

    bool string(string_t& value) override
    {
        if (depth_ == 2 && key_ == "ticked") {
            const TweakEntry* row = FindRow(value);
            // Row numbers shift when rows are added; a profile names rows only by name.
            if (!row || !SameLetters(row->mirrorValue, value))
                return Fail("\"" + value + "\" is not a row's name");
            ticks_.SetTicked(*row, true);
            return true;
        }
        if (depth_ == 1 && key_ == "format") {
            if (value != kProfileFormat)
                return Fail("\"format\" is \"" + value + "\", not \"" + std::string(kProfileFormat) + "\"");
            seen_.format = true;
            return true;
        }
        return Scalar("text");
    }

    bool start_object(std::size_t) override
    {
        if (depth_ != 0)
            return Fail(Where() + " holds an object");
        depth_ = 1;
        return true;
    }
    bool key(string_t& value) override
    {
        if (value != "format" && value != "version" && value != "ticked")
            return Fail("unknown key \"" + value + "\"");
        // A second list would be merged into the first; a second version would hide it.
        if (!keys_.insert(value).second)
            return Fail("the key \"" + value + "\" appears twice");
        key_ = value;
        return true;
    }
    bool end_object() override
    {
        depth_ = 0;
        for (auto [seen, name] :
             {std::pair{seen_.format, "format"}, {seen_.version, "version"}, {seen_.ticked, "ticked"}})
            if (!seen)
                return Fail(std::string("the key \"") + name + "\" is missing");
        done_ = true;
        return true;
    }
    bool start_array(std::size_t) override
    {
        if (depth_ == 0)
            return Fail("a profile is a JSON object, not a list");
        if (depth_ != 1 || key_ != "ticked")
            return Fail(Where() + " holds a list");
        depth_ = 2;
        seen_.ticked = true;
        return true;
    }
    bool end_array() override
    {
        depth_ = 1;
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override
    {
        // "[json.exception.parse_error.101] parse error at line 2, column 3: reason"
        std::string reason = error.what();
        if (const auto colon = reason.find(": "); colon != std::string::npos)
            reason.erase(0, colon + 2);
        return Fail(reason);
    }

    std::optional<std::pair<int, std::string>> fault;
    bool done_ = false;
    TickChoice ticks_;

private:
    bool Number(long long value)
    {
        if (depth_ == 1 && key_ == "version") {
            if (value != kProfileVersion)
                return Fail("version " + std::to_string(value) + " is not supported (this program reads " +
                            std::to_string(kProfileVersion) + ")");
            seen_.version = true;
            return true;
        }
        return Scalar("a number");
    }
    bool Scalar(const std::string& what)
    {
        if (depth_ == 0)
            return Fail("a profile is a JSON object, not " + what);
        return Fail(Where() + " holds " + what);
    }
    std::string Where() const
    {
        if (depth_ == 2)
            return "\"ticked\" lists mirror names and";
        return depth_ == 1 ? "\"" + key_ + "\"" : "the document";
    }
    bool Fail(std::string reason)
    {
        if (!fault)
            fault.emplace(line_, std::move(reason));
        return false;
    }

    const int& line_;
    int depth_ = 0;
    std::string key_;
    std::set<std::string> keys_;
    struct
    {
        bool format = false, version = false, ticked = false;
    } seen_;
};

} // namespace

bool TickChoice::IsTicked(const TweakEntry& tweak) const
{
    return ticked_.count(tweak.mirrorValue) > 0;
}

void TickChoice::SetTicked(const TweakEntry& tweak, bool ticked)
{
    if (ticked)
        ticked_.insert(tweak.mirrorValue);
    else
        ticked_.erase(tweak.mirrorValue);
}

const TweakEntry* FindRow(std::string_view item)
{
    const auto rows = Catalogue();
    int number = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), number);
    if (error == std::errc() && end == item.data() + item.size() && number >= 1 &&
        number <= static_cast<int>(rows.size()))
        return &rows[static_cast<std::size_t>(number - 1)];
    for (const TweakEntry& row : rows)
        if (SameLetters(row.mirrorValue, item))
            return &row;
    return nullptr;
}

void SetRows(TickChoice& ticks, std::string_view list, bool ticked, std::string_view option)
{
    if (list == "all") {
        for (const TweakEntry& row : Catalogue())
            ticks.SetTicked(row, ticked);
        return;
    }
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        const TweakEntry* row = FindRow(item);
        if (!row)
            throw UsageError(std::string(option) + ": \"" + std::string(item) +
                             "\" is neither a row number (1 to " + std::to_string(kTweakCount) +
                             ") nor a mirror name; see `tessel status`");
        ticks.SetTicked(*row, ticked);
        if (comma == std::string_view::npos)
            return;
        list.remove_prefix(comma + 1);
    }
}

std::string WriteProfile(const TweakTicks& ticks)
{
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (const TweakEntry& row : Catalogue())
        if (ticks.IsTicked(row))
            names.push_back(row.mirrorValue);
    nlohmann::ordered_json profile = nlohmann::ordered_json::object();
    profile["format"] = kProfileFormat;
    profile["version"] = kProfileVersion;
    profile["ticked"] = std::move(names);
    return profile.dump(2) + "\n";
}

TickChoice ReadProfile(std::string_view text, std::string_view source)
{
    // JSON text holds no NUL; the parser would stop reading there.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        throw UsageError(std::string(source) + ":" +
                         std::to_string(std::count(text.begin(), text.begin() + nul, '\n') + 1) +
                         ": the profile holds a NUL byte");
    Position position;
    ProfileReader reader(position.line);
    CountingIterator first(text.data(), &position);
    CountingIterator last(text.data() + text.size(), &position);
    const bool parsed = Json::sax_parse(first, last, &reader);
    if (!parsed || !reader.done_) {
        const auto [at, reason] =
            reader.fault.value_or(std::pair{position.line, std::string("the profile is incomplete")});
        throw UsageError(std::string(source) + ":" + std::to_string(at) + ": " + reason);
    }
    return std::move(reader.ticks_);
}

} // namespace tessel
