#include "tools/mes/script_links.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "base/printable.h"
#include "base/sjis.h"

namespace marlit {
namespace {

// The choice set holds four targets.
constexpr int kMaxChoices = 4;
// Target labels of a choice are kept in 24-byte fields.
constexpr size_t kMaxChoiceLabel = 23;

struct Walked {
    uint32_t position;
    uint8_t opcode;
};

class ScriptChecker {
  public:
    ScriptChecker(const std::string& name, const MesScript& script,
                  const std::map<std::string, MesScript>& all,
                  std::vector<ScriptLinkProblem>& problems)
        : name_(name), script_(script), all_(all), problems_(problems) {}

    void run() {
        if (!walk())
            return;
        if (commands_.empty()) {
            report(0, "the script has no commands");
            return;
        }
        collectLabels();
        for (size_t i = 0; i < commands_.size(); ++i)
            checkCommand(i);
        checkEnd();
    }

  private:
    void report(uint32_t position, std::string what) {
        problems_.push_back({name_, position, std::move(what)});
    }

    bool walk() {
        const uint32_t size = static_cast<uint32_t>(script_.stream().size());
        uint32_t position = 0;
        while (position < size) {
            ScriptFault fault;
            auto next = script_.nextCommand(position, &fault);
            if (!next) {
                report(fault.position, fault.what);
                return false;
            }
            commands_.push_back({position, script_.byteAt(position)});
            position = *next;
        }
        return true;
    }

    std::string text(uint32_t position) const {
        return printable(script_.stringOperand(position), 63);
    }

    void collectLabels() {
        for (const Walked& c : commands_) {
            if (c.opcode != '2')
                continue;
            const std::string_view label = script_.stringOperand(c.position);
            if (findLabel(label))
                report(c.position, "the label \"" + text(c.position) +
                                       "\" is there twice (jumps reach only the first)");
            labels_.push_back({label, c.position});
        }
    }

    std::optional<uint32_t> findLabel(std::string_view name) const {
        for (const auto& [label, position] : labels_) {
            if (sameText(label, name))
                return position;
        }
        return std::nullopt;
    }

    void checkTarget(const Walked& c, const char* what) {
        const std::string_view target = script_.stringOperand(c.position);
        if (!findLabel(target))
            report(c.position, std::string(what) + " \"" + text(c.position) +
                                   "\" is not a label of this script");
    }

    void checkCommand(size_t i) {
        const Walked& c = commands_[i];
        switch (c.opcode) {
            case ';':
                checkTarget(c, "the goto target");
                break;
            case 'E':
                checkTarget(c, "the choice target");
                if (script_.stringOperand(c.position).size() > kMaxChoiceLabel)
                    report(c.position, "the choice target \"" + text(c.position) +
                                           "\" is longer than 23 bytes");
                break;
            case 8:
                checkChoice(i);
                break;
            case 2:
                checkBlock(i);
                break;
            case '6':
                checkJump(c);
                break;
            default:
                break;
        }
    }

    // From a choice begin to the choice: each target followed by its text,
    // at most four of them.
    void checkChoice(size_t i) {
        int targets = 0;
        int texts = 0;
        for (size_t k = i + 1; k < commands_.size(); ++k) {
            const uint8_t op = commands_[k].opcode;
            if (op == 'E')
                ++targets;
            else if (op == 'M')
                ++texts;
            else if (op == 9) {
                if (targets == 0)
                    report(commands_[i].position, "the choice has no targets");
                else if (targets != texts)
                    report(commands_[i].position, "the choice has " + std::to_string(targets) +
                                                      " targets but " + std::to_string(texts) +
                                                      " texts");
                else if (targets > kMaxChoices)
                    report(commands_[i].position, "the choice has " + std::to_string(targets) +
                                                      " targets; the player shows at most 4");
                return;
            } else if (op == 8) {
                break;
            }
        }
        report(commands_[i].position, "the choice begun here is never shown (no choice command)");
    }

    void checkBlock(size_t i) {
        const uint8_t block = script_.byteAt(commands_[i].position + 1);
        for (size_t k = i + 1; k < commands_.size(); ++k) {
            if (commands_[k].opcode == 31 && script_.byteAt(commands_[k].position + 2) == block)
                return;
        }
        report(commands_[i].position,
               "the end of block " + std::to_string(block) + " is not further on in the script");
    }

    void checkJump(const Walked& c) {
        const std::string_view target = script_.stringOperand(c.position);
        if (isSpecialJumpTarget(target))
            return;
        for (const auto& [name, other] : all_) {
            if (sameText(name, target))
                return;
        }
        report(c.position,
               "the jump target \"" + text(c.position) + "\" is not a script of the set");
    }

    // The stream has no end marker: its last command must leave it.
    void checkEnd() {
        const Walked& last = commands_.back();
        if (last.opcode == '6' || last.opcode == ';' || last.opcode == 27)
            return;
        report(last.position,
               "the script ends without a jump, a goto or a day end: the player would run off "
               "its end");
    }

    const std::string& name_;
    const MesScript& script_;
    const std::map<std::string, MesScript>& all_;
    std::vector<ScriptLinkProblem>& problems_;
    std::vector<Walked> commands_;
    std::vector<std::pair<std::string_view, uint32_t>> labels_;
};

}  // namespace

std::vector<ScriptLinkProblem> checkScriptLinks(const std::map<std::string, MesScript>& scripts) {
    std::vector<ScriptLinkProblem> problems;
    for (const auto& [name, script] : scripts)
        ScriptChecker(name, script, scripts, problems).run();
    return problems;
}

std::string describe(const ScriptLinkProblem& problem) {
    return problem.script + " at position " + std::to_string(problem.position) + ": " +
           problem.what;
}

}  // namespace marlit
