#include "Verb.h"

#include <algorithm>

namespace wigglet::sim {

namespace {

std::string_view wordOf(std::string_view text, std::size_t i) {
    for (; i > 0; --i) {
        const auto blank = text.find(' ');
        text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
    }
    return text.substr(0, text.find(' '));
}

// Where the word stands among choices written a|b|c.
std::optional<std::size_t> indexIn(std::string_view choices, std::string_view word) {
    for (std::size_t index = 0; !choices.empty(); ++index) {
        const auto bar = choices.find('|');
        if (choices.substr(0, bar) == word)
            return index;
        choices.remove_prefix(bar == std::string_view::npos ? choices.size() : bar + 1);
    }
    return std::nullopt;
}

std::size_t wordsIn(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count(text, ' ')) + 1;
}

bool optionalOrRest(char kind) {
    return kind == '?' || kind == '.';
}

} // namespace

std::string_view Verb::name() const {
    const auto lowerCase = [](std::string_view word) {
        return !word.empty() &&
               std::ranges::all_of(word, [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
    };
    const std::string_view first = wordOf(usage, 0);
    const std::string_view second = wordOf(usage, 1);
    return lowerCase(second) ? usage.substr(0, first.size() + 1 + second.size()) : first;
}

std::string_view Verb::choices(std::size_t i) const {
    return wordOf(usage, i);
}

std::size_t Verb::choiceOf(const Command& command, std::size_t i) const {
    return *indexIn(choices(i), command[i]);
}

Problem Verb::checkWord(const Command& c, std::size_t i, char kind) const {
    const std::string& word = c[i];
    const std::string tail = "'" + word + "': " + std::string(usage);
    if (kind == 'n' && !Scenario::number(word))
        return "bad number " + tail;
    if ((kind == 'i' || kind == 'c') && !Scenario::wholeNumber(word))
        return "bad whole number " + tail;
    if (kind == 'c' && *Scenario::wholeNumber(word) < 0)
        return "negative count " + tail;
    if (kind == 'b' && !Scenario::boolean(word))
        return "bad boolean " + tail;
    if (kind == 'o' && !indexIn(choices(i), word))
        return "unknown choice " + tail;
    return std::nullopt;
}

Problem Verb::checkShape(const Command& c) const {
    const std::size_t first = wordsIn(name());
    std::size_t fixed = shape.size();
    while (fixed > 0 && optionalOrRest(shape[fixed - 1]))
        --fixed;
    const bool rest = !shape.empty() && shape.back() == '.';
    const std::size_t most = first + shape.size() - (rest ? 1 : 0);
    if (c.size() < first + fixed)
        return "missing argument: " + std::string(usage);
    if (!rest && c.size() > most)
        return "too many arguments: " + std::string(usage);
    for (std::size_t i = first; i < first + fixed; ++i)
        if (auto bad = checkWord(c, i, shape[i - first]))
            return bad;
    return check ? check(*this, c) : std::nullopt;
}

} // namespace wigglet::sim
