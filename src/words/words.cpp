#include "words/words.hpp"

#include <array>
#include <cerrno>
#include <cstring>
#include <type_traits>

#include "words/word_table.hpp"

namespace mkd {

namespace {

using Index = std::array<std::string_view, kMsgCount>;

Index indexOf(const detail::Entry* entries, std::size_t count) {
    Index index{};
    for (std::size_t i = 0; i < count; ++i) index[static_cast<std::size_t>(entries[i].id)] = entries[i].words;
    return index;
}

const Index& table(Lang lang) {
    static const Index japanese = [] {
        std::size_t n = 0;
        const detail::Entry* e = detail::japaneseWords(n);
        return indexOf(e, n);
    }();
    static const Index english = [] {
        std::size_t n = 0;
        const detail::Entry* e = detail::englishWords(n);
        return indexOf(e, n);
    }();
    return lang == Lang::English ? english : japanese;
}

}  // namespace

bool hasWords(Msg id, Lang lang) {
    const auto i = static_cast<std::size_t>(id);
    return i < kMsgCount && !table(lang)[i].empty();
}

std::string_view text(Msg id, Lang lang) {
    const auto i = static_cast<std::size_t>(id);
    if (i >= kMsgCount) return {};
    const std::string_view own = table(lang)[i];
    return own.empty() ? table(Lang::Japanese)[i] : own;
}

std::string reasonText(int error, Lang lang) {
    switch (error) {
        case -1:
            return std::string(text(Msg::ReasonNotAFile, lang));
        case ENOENT:
            return std::string(text(Msg::ReasonNoSuchFile, lang));
        case EACCES:
        case EPERM:
            return std::string(text(Msg::ReasonPermission, lang));
        case EISDIR:
            return std::string(text(Msg::ReasonIsFolder, lang));
        case ENOTDIR:
            return std::string(text(Msg::ReasonNotAFolder, lang));
        case ENOSPC:
        case EDQUOT:
            return std::string(text(Msg::ReasonDiskFull, lang));
        case EROFS:
            return std::string(text(Msg::ReasonReadOnlyDisk, lang));
        case EFBIG:
            return std::string(text(Msg::ReasonFileTooLarge, lang));
        case EEXIST:
        case ENOTEMPTY:
            return std::string(text(Msg::ReasonFileExists, lang));
        case EBUSY:
        case EWOULDBLOCK:
        case ETXTBSY:
            return std::string(text(Msg::ReasonBusy, lang));
        case EIO:
            return std::string(text(Msg::ReasonInputOutput, lang));
        case ENAMETOOLONG:
            return std::string(text(Msg::ReasonNameTooLong, lang));
        case ELOOP:
            return std::string(text(Msg::ReasonLinkLoop, lang));
        case EMFILE:
        case ENFILE:
            return std::string(text(Msg::ReasonTooManyFiles, lang));
        case ENOMEM:
            return std::string(text(Msg::ReasonNoMemory, lang));
        default:
            break;
    }
    char buffer[256] = {};
    // The GNU strerror_r returns its words, which need not be in `buffer`.
    const auto words = [&buffer](auto result) -> const char* {
        if constexpr (std::is_same_v<decltype(result), char*>)
            return result;
        else
            return result == 0 ? buffer : "?";
    };
    // The C library speaks English only: its words are said in English.
    const std::string number = std::to_string(error);
    return text(Msg::ReasonOtherSystem, lang,
                {number, lang == Lang::English ? words(::strerror_r(error, buffer, sizeof buffer)) : ""});
}

namespace {

template <class Args>
std::string fillWith(std::string_view pattern, const Args& args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
        } else if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < args.size()) {
            out += std::string_view(*(args.begin() + (next - '1')));
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    return fillWith(pattern, args);
}

std::string text(Msg id, Lang lang, std::initializer_list<std::string_view> args) { return fill(text(id, lang), args); }

std::string text(Msg id, Lang lang, const std::vector<std::string>& args) { return fillWith(text(id, lang), args); }

}  // namespace mkd
