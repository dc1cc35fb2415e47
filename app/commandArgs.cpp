#include "app/commandArgs.h"

#include "platform/base/exBase.h"
#include "platform/base/liStringUtil.h"

#include <algorithm>

namespace Zv {
namespace {

[[noreturn]] void fail(const std::string& reason) {
    throw ExBadInput(__FILE__, __LINE__, reason);
}

bool isOneOf(const std::string& word, const std::vector<std::string>& options) {
    return std::find(options.begin(), options.end(), word) != options.end();
}

} // namespace

CommandArgs::CommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                         const std::vector<std::string>& flagOptions) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (isOneOf(word, valueOptions)) {
            if (i + 1 == args.size()) fail("option " + word + " needs a value");
            _values[word] = args[++i];
        } else if (isOneOf(word, flagOptions)) {
            _values[word] = "";
        } else if (word.size() > 1 && word[0] == '-') {
            fail("unknown option " + word);
        } else {
            _operands.push_back(word);
        }
    }
}

std::string CommandArgs::get(const std::string& option, const std::string& fallback) const {
    auto found = _values.find(option);
    return found == _values.end() ? fallback : found->second;
}

int CommandArgs::getInt(const std::string& option, int fallback, int min, int max) const {
    if (!has(option)) return fallback;
    auto value = LiStringUtil::parseInt(get(option));
    if (!value || *value < min || *value > max)
        fail("option " + option + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
             ", not '" + get(option) + "'");
    return static_cast<int>(*value);
}

void CommandArgs::getSize(const std::string& option, int& width, int& height) const {
    if (!has(option)) return;
    const std::string text = get(option);
    const size_t x = text.find('x');
    auto w = x == std::string::npos ? std::nullopt : LiStringUtil::parseInt(text.substr(0, x));
    auto h = x == std::string::npos ? std::nullopt : LiStringUtil::parseInt(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > 16384 || *h > 16384)
        fail("option " + option + " takes WIDTHxHEIGHT in pixels (1 to 16384), not '" + text + "'");
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
}

} // namespace Zv
