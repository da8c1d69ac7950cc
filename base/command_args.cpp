#include "base/command_args.h"

#include <cerrno>
#include <cstdlib>

namespace marlit {

Args::Args(std::span<const std::string> args, std::set<std::string> valueOptions,
           std::set<std::string> flags) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string name = a.substr(2);
            std::optional<std::string> inlineValue;
            if (auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.resize(eq);
            }
            if (valueOptions.count(name)) {
                if (inlineValue) {
                    values_[name] = *inlineValue;
                } else if (i + 1 < args.size()) {
                    values_[name] = args[++i];
                } else {
                    error_ = "option --" + name + " needs a value";
                    return;
                }
            } else if (flags.count(name) && !inlineValue) {
                flags_.insert(name);
            } else {
                error_ = "unknown option " + a;
                return;
            }
        } else {
            positional_.push_back(a);
        }
    }
}

std::optional<std::string> Args::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::optional<long> Args::integer(const std::string& name, long lo, long hi, bool& ok) const {
    auto v = value(name);
    if (!v)
        return std::nullopt;
    auto n = parseInteger(*v);
    if (!n || *n < lo || *n > hi) {
        ok = false;
        return std::nullopt;
    }
    return static_cast<long>(*n);
}

std::optional<long long> parseInteger(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0')
        return std::nullopt;
    return v;
}

}  // namespace marlit
