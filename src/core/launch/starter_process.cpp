#include "core/launch/starter_process.h"

#include <utility>

namespace quillmont {

namespace {
constexpr char16_t kQuote = u'"';
constexpr char16_t kSpace = u' ';
constexpr char16_t kPercent = u'%';

bool isPlaceholderKey(char16_t c) { return (c >= u'1' && c <= u'9') || c == u'*'; }
bool lastIs(const WideString& text, char16_t c) { return !text.empty() && text.back() == c; }
}  // namespace

StarterProcess::StarterProcess(WideString executableFile, WideString argumentTemplate, WideString startFolder)
    : executableFile_(std::move(executableFile)), template_(std::move(argumentTemplate)),
      startFolder_(std::move(startFolder)) {}

void StarterProcess::addQuotedParameter(const WideString& text) {
    parameters_.push_back(quoted(text));
}

std::optional<WideString> StarterProcess::buildCommandLine(const WideString& externalArguments) const {
    WideString line;
    line.reserve(executableFile_.size() + template_.size() + 64);
    line += kQuote;
    line += executableFile_;
    line += kQuote;
    line += kSpace;

    const std::size_t length = template_.size();
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t c = template_[i];
        if (c != kPercent || i + 1 >= length || !isPlaceholderKey(template_[i + 1])) {
            line += c;
            continue;
        }
        const char16_t key = template_[++i];
        const WideString* value = &externalArguments;
        if (key != u'*') {
            const std::size_t index = static_cast<std::size_t>(key - u'1');
            if (index >= parameters_.size()) continue;  // a missing parameter leaves no trace
            value = &parameters_[index];
        }
        // A template that quotes the placeholder itself must not double the quotes.
        if (!value->empty() && value->front() == kQuote && lastIs(line, kQuote)) line.pop_back();
        if (value->empty()) {
            if (lastIs(line, kSpace)) line.pop_back();  // no stray space for an empty value
            continue;
        }
        line += *value;
        if (value->size() > 1 && value->back() == kQuote && i + 1 < length && template_[i + 1] == kQuote) ++i;
        if (line.size() > kMaxCommandLine) return std::nullopt;
    }
    if (line.size() > kMaxCommandLine) return std::nullopt;
    return line;
}

bool StarterProcess::start(ProcessLauncher& launcher, const WideString& externalArguments) const {
    const std::optional<WideString> line = buildCommandLine(externalArguments);
    return line.has_value() && launcher.createProcess(*line, startFolder_);
}

}  // namespace quillmont
