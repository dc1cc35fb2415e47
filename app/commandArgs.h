#pragma once

#include <map>
#include <string>
#include <vector>

namespace Zv {

// Options and operands of one command line. Every malformed use raises ExBadInput naming the option.
class CommandArgs {
public:
    // valueOptions take a value ("-o OUT"); flagOptions do not ("--print").
    CommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                const std::vector<std::string>& flagOptions);

    const std::vector<std::string>& getOperands() const { return _operands; }
    bool has(const std::string& option) const { return _values.count(option) != 0; }
    std::string get(const std::string& option, const std::string& fallback = {}) const;
    // An integer option within [min, max].
    int getInt(const std::string& option, int fallback, int min, int max) const;
    // An enumerated option given by its number, from 0 to last.
    template <typename Code>
    Code getCode(const std::string& option, Code fallback, Code last) const {
        return static_cast<Code>(getInt(option, static_cast<int>(fallback), 0, static_cast<int>(last)));
    }
    // "WxH" with both parts positive.
    void getSize(const std::string& option, int& width, int& height) const;

private:
    std::vector<std::string> _operands;
    std::map<std::string, std::string> _values;
};

} // namespace Zv
