// Argument parsing for the programs' command lines: positional arguments and
// "--name value" or "--flag" options, in any order.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace marlit {

class Args {
  public:
    // valueOptions take a value ("--quality 2" or "--quality=2"); flags do not.
    Args(std::span<const std::string> args, std::set<std::string> valueOptions,
         std::set<std::string> flags);

    // Empty when the arguments parsed; else what was wrong.
    const std::string& error() const { return error_; }
    const std::vector<std::string>& positional() const { return positional_; }
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    std::optional<std::string> value(const std::string& name) const;
    // The option's value as an integer in [lo, hi]; none when absent, and an
    // error (through ok) when it is not such a number.
    std::optional<long> integer(const std::string& name, long lo, long hi, bool& ok) const;

  private:
    std::vector<std::string> positional_;
    std::set<std::string> flags_;
    std::map<std::string, std::string> values_;
    std::string error_;
};

// A whole decimal integer (optional sign); none for anything else.
std::optional<long long> parseInteger(const std::string& text);

}  // namespace marlit
