// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/namereplacer.h"

#include "global/coretext.h"

#include "renamelist/renamelist.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <array>
#include <utility>

namespace quorbel {
namespace {

struct CodeRelease {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataRelease {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using CodePtr = std::unique_ptr<pcre2_code, CodeRelease>;
using MatchDataPtr = std::unique_ptr<pcre2_match_data, MatchDataRelease>;

PCRE2_SPTR units(std::string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 character at the start of text, 0 when there is none.
std::size_t characterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, value = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, value = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, value = lead & 0x07;
    else
        return 0;
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte))
            return 0;
        value = value << 6 | (byte & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return overlong || surrogate || value > 0x10FFFF ? 0 : length;
}

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = characterLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

// "第 n 个字符处" for a byte offset into a UTF-8 text; "末尾" past its end.
std::string placeOf(std::string_view text, std::size_t offset) {
    if (offset >= text.size())
        return CoreText{"末尾", "at the end"}.text();
    std::size_t characters = 0;
    for (std::size_t i = 0; i < offset; ++i)
        characters += isContinuation(static_cast<unsigned char>(text[i])) ? 0 : 1;
    static constexpr CoreText place{"第 %1 个字符处", "at character %1"};
    return place.count(static_cast<long long>(characters + 1));
}

std::string pcre2Message(int code) {
    std::array<PCRE2_UCHAR, 256> buffer{};
    const int length = pcre2_get_error_message(code, buffer.data(), buffer.size());
    if (length < 0)
        return CoreText{"错误 %1", "error %1"}.fill({std::to_string(code)});
    return std::string(reinterpret_cast<const char*>(buffer.data()),
                       static_cast<std::size_t>(length));
}

// The mistakes people make most, in their words; PCRE2's own text otherwise.
std::string compileProblem(int code) {
    switch (code) {
    case PCRE2_ERROR_END_BACKSLASH:
        return CoreText{"\\ 后面缺少字符", "a character is missing after \\"}.text();
    case PCRE2_ERROR_UNKNOWN_ESCAPE:
        return CoreText{"\\ 后面是不认识的字符", "unknown character after \\"}.text();
    case PCRE2_ERROR_QUANTIFIER_OUT_OF_ORDER:
        return CoreText{"{} 里的数字前大后小", "the numbers in {} are in the wrong order"}.text();
    case PCRE2_ERROR_QUANTIFIER_TOO_BIG:
        return CoreText{"{} 里的数字太大", "a number in {} is too large"}.text();
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET:
        return CoreText{"缺少 ]", "] is missing"}.text();
    case PCRE2_ERROR_CLASS_RANGE_ORDER:
        return CoreText{"[] 里的范围前大后小", "a range in [] is in the wrong order"}.text();
    case PCRE2_ERROR_QUANTIFIER_INVALID:
        return CoreText{"重复符号前面没有可以重复的内容",
                        "nothing to repeat before the repeat sign"}
            .text();
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS:
        return CoreText{"缺少 )", ") is missing"}.text();
    case PCRE2_ERROR_BAD_SUBPATTERN_REFERENCE:
        return CoreText{"引用了不存在的组", "a reference to a group that does not exist"}.text();
    case PCRE2_ERROR_UNMATCHED_CLOSING_PARENTHESIS:
        return CoreText{"多了一个 )", "one ) too many"}.text();
    case PCRE2_ERROR_DUPLICATE_SUBPATTERN_NAME:
        return CoreText{"两个组同名", "two groups have the same name"}.text();
    default:
        return pcre2Message(code);
    }
}

bool isWordByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Checks the group references of a replacement as pcre2_substitute reads them
// ($$, $n, ${n}, $name, ${name}, $*MARK), so that a wrong one is reported
// before any name is touched, whether or not some name matches.
class ReplacementCheck {
public:
    ReplacementCheck(const pcre2_code& code, std::string_view replacement)
        : code_(code), text_(replacement) {}

    void run() const {
        for (std::size_t at = text_.find('$'); at != std::string_view::npos;
             at = text_.find('$', at))
            at = checkReference(at);
    }

private:
    // Returns the offset after the reference that starts with the "$" at "at".
    std::size_t checkReference(std::size_t at) const {
        const std::size_t next = at + 1;
        if (next < text_.size() && text_[next] == '$')
            return next + 1;
        if (next < text_.size() && text_[next] == '{') {
            const std::size_t close = text_.find('}', next);
            if (close == std::string_view::npos)
                fail(at, CoreText{"缺少 }", "} is missing"}.text());
            checkGroup(at, text_.substr(next + 1, close - next - 1), true);
            return close + 1;
        }
        // A number ends at the first byte that is not a digit ("$1a" is group
        // 1, then "a"); a name, or the name of a mark after "*", at the
        // first byte that cannot be part of a name.
        std::size_t end = next;
        const bool number = next < text_.size() && isDigits(text_.substr(next, 1));
        if (!number && end < text_.size() && text_[end] == '*')
            ++end;
        while (end < text_.size() &&
               (number ? isDigits(text_.substr(end, 1)) : isWordByte(text_[end])))
            ++end;
        checkGroup(at, text_.substr(next, end - next), false);
        return end;
    }

    void checkGroup(std::size_t at, std::string_view group, bool braced) const {
        if (group.starts_with('*') && group.size() > 1)
            return; // the name of a (*MARK), empty when there is none
        if (group.empty() || group.size() > 32 ||
            !std::all_of(group.begin(), group.end(), isWordByte))
            fail(at,
                 braced
                     ? CoreText{"{} 里应是组号或组名", "{} must hold a group number or name"}.text()
                     : CoreText{"$ 后面应是组号、组名或 $",
                                "$ must be followed by a group number, a name or $"}
                           .text());
        if (isDigits(group)) {
            std::uint32_t groups = 0;
            pcre2_pattern_info(&code_, PCRE2_INFO_CAPTURECOUNT, &groups);
            if (group.size() > 9 || std::stoul(std::string(group)) > groups)
                fail(at, CoreText{"没有第 %1 组", "there is no group %1"}.fill({group}));
            return;
        }
        const std::string name(group);
        const int number = pcre2_substring_number_from_name(&code_, units(name));
        if (number < 0 && number != PCRE2_ERROR_NOUNIQUESUBSTRING)
            fail(at, CoreText{"没有名为 %1 的组", "there is no group named %1"}.fill({name}));
    }

    [[noreturn]] void fail(std::size_t at, const std::string& problem) const {
        throw ReplaceRuleError(
            CoreText{"替换内容%1有误：%2", "The replacement is wrong %1: %2"}.fill(
                {placeOf(text_, at), problem}));
    }

    const pcre2_code& code_;
    std::string_view text_;
};

} // namespace

struct NameReplacer::Compiled {
    CodePtr code;
    MatchDataPtr match;
    std::string replacement;
    std::uint32_t substituteOptions = 0;
    std::string output;
};

NameReplacer::NameReplacer(const ReplaceRule& rule) : compiled_(std::make_unique<Compiled>()) {
    if (rule.find.empty())
        throw ReplaceRuleError(CoreText{"查找内容不能为空", "Find cannot be empty"}.text());
    if (!isUtf8(rule.find))
        throw ReplaceRuleError(
            CoreText{"查找内容不是有效的 UTF-8 文本", "Find is not valid UTF-8 text"}.text());
    if (!isUtf8(rule.replacement))
        throw ReplaceRuleError(
            CoreText{"替换内容不是有效的 UTF-8 文本", "The replacement is not valid UTF-8 text"}
                .text());
    std::uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    options |= rule.regex ? PCRE2_UCP : PCRE2_LITERAL;
    if (rule.ignoreCase)
        options |= PCRE2_CASELESS;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    compiled_->code.reset(
        pcre2_compile(units(rule.find), rule.find.size(), options, &error, &errorOffset, nullptr));
    if (!compiled_->code)
        throw ReplaceRuleError(
            CoreText{"正则表达式%1有误：%2", "The regular expression is wrong %1: %2"}.fill(
                {placeOf(rule.find, errorOffset), compileProblem(error)}));
    // Without machine code (no JIT on this processor) the interpreter matches the same.
    pcre2_jit_compile(compiled_->code.get(), PCRE2_JIT_COMPLETE);
    if (rule.regex)
        ReplacementCheck(*compiled_->code, rule.replacement).run();
    compiled_->match.reset(pcre2_match_data_create_from_pattern(compiled_->code.get(), nullptr));
    if (!compiled_->match)
        throw std::bad_alloc();
    compiled_->replacement = rule.replacement;
    compiled_->substituteOptions = PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH |
                                   PCRE2_SUBSTITUTE_UNSET_EMPTY | PCRE2_NO_UTF_CHECK;
    if (!rule.regex)
        compiled_->substituteOptions |= PCRE2_SUBSTITUTE_LITERAL;
}

NameReplacer::~NameReplacer() = default;
NameReplacer::NameReplacer(NameReplacer&&) noexcept = default;
NameReplacer& NameReplacer::operator=(NameReplacer&&) noexcept = default;

std::optional<std::string> NameReplacer::replace(std::string_view name) {
    Compiled& c = *compiled_;
    std::string& out = c.output;
    if (out.size() < name.size() + 64)
        out.resize(name.size() + 64);
    for (;;) {
        PCRE2_SIZE length = out.size();
        // The subject is never checked as UTF-8 (the pattern takes invalid
        // UTF-8 as it comes); the replacement was checked once above.
        const int count =
            pcre2_substitute(c.code.get(), units(name), name.size(), 0, c.substituteOptions,
                             c.match.get(), nullptr, units(c.replacement), c.replacement.size(),
                             reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (count == PCRE2_ERROR_NOMEMORY) {
            out.resize(length + 1);
            continue;
        }
        if (count < 0)
            throw ReplaceRuleError(CoreText{"正则表达式无法处理名称 %1：%2",
                                            "The regular expression cannot handle the name %1: %2"}
                                       .fill({name, pcre2Message(count)}));
        if (count == 0)
            return std::nullopt;
        return std::string(out.data(), length);
    }
}

ReplacedNames replaceNames(const RenameList& list, NameReplacer& replacer, int lastRow) {
    ReplacedNames result;
    lastRow = std::min(lastRow, list.RowCount() - 1);
    for (int row = 1; row <= lastRow; ++row) {
        std::optional<std::string> name = replacer.replace(list.getCell(RenameList::OldName, row));
        if (!name)
            continue;
        result.emptied += name->empty() ? 1 : 0;
        result.names.push_back({row, std::move(*name)});
    }
    return result;
}

ReplacedNames replaceNames(const RenameList& list, NameReplacer& replacer) {
    return replaceNames(list, replacer, list.RowCount() - 1);
}

std::string replacedStatusText(const ReplacedNames& result) {
    static constexpr CoreText replaced{"查找替换 %1 个文件", "Find and replace changed %1 files",
                                       "Find and replace changed 1 file"};
    static constexpr CoreText emptied{", 其中 %1 个新名称为空", ", %1 of them to an empty name",
                                      ", 1 of them to an empty name"};
    std::string text = replaced.count(static_cast<long long>(result.names.size()));
    if (result.emptied > 0)
        text += emptied.count(result.emptied);
    return text;
}

} // namespace quorbel
