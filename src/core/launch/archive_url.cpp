#include "core/launch/archive_url.h"

#include "base/bytes.h"
#include "core/text/ascii_case.h"
#include "core/text/utf8.h"

namespace quillmont {

namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}


// The URL up to its query or fragment.
WideString withoutQuery(const WideString& url) { return url.substr(0, url.find_first_of(u"?#")); }

}  // namespace

bool isRemoteUrl(const WideString& url) {
    const std::size_t separator = url.find(u"://");
    if (separator == WideString::npos || separator < 2 || !isAsciiLetter(url[0])) return false;
    for (std::size_t i = 1; i < separator; ++i) {
        const char16_t c = url[i];
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.') return false;
    }
    return !startsWithLowerAscii(url, u"file:");
}

bool isFileUrl(const WideString& url) { return startsWithLowerAscii(url, u"file:"); }

WideString webFileName(const WideString& url) {
    const WideString path = withoutQuery(url);
    const std::size_t host = path.find(u"://") + 3;
    const std::size_t slash = path.find_last_of(u'/');
    if (slash == WideString::npos || slash < host) return {};  // the host alone
    const WideString name = decodeUrlEscapes(path.substr(slash + 1));
    // A decoded name must stay one name in the descriptor's folder.
    if (name.empty() || name == u"." || name == u".." || name.find_first_of(u"\\/:*?\"<>|") != WideString::npos)
        return {};
    return name;
}

WideString fileUrlPath(const WideString& url) {
    WideString rest = withoutQuery(url).substr(5);  // after "file:"
    if (rest.rfind(u"//", 0) == 0) {
        rest = rest.substr(2);
        // "file:///C:/..." has an empty host; "file://server/share" names a share.
        if (!rest.empty() && rest[0] == u'/') {
            rest = rest.substr(1);
        } else if (!rest.empty()) {
            rest = u"//" + rest;
        }
    } else if (rest.size() > 2 && rest[0] == u'/' && rest[2] == u':') {
        rest = rest.substr(1);  // "file:/C:/..."
    }
    WideString path = decodeUrlEscapes(rest);
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    return path;
}

WideString fileUrlOf(const WideString& path) {
    WideString slashed = path;
    for (char16_t& c : slashed)
        if (c == u'\\') c = u'/';
    const bool share = slashed.rfind(u"//", 0) == 0;
    Bytes utf8;
    appendUtf8(share ? slashed.substr(2) : slashed, utf8);
    // Everything but letters, digits and "-._~:/" is escaped, so that no reader
    // takes a space, "+", "#" or "%" in a name for something else.
    WideString url = share ? u"file://" : u"file:///";
    for (const std::uint8_t byte : utf8) {
        const bool plain = (byte >= '0' && byte <= '9') || isAsciiLetter(byte) ||
                           WideString(u"-._~:/").find(static_cast<char16_t>(byte)) != WideString::npos;
        if (plain) {
            url += static_cast<char16_t>(byte);
        } else {
            url += u'%';
            url += u"0123456789ABCDEF"[byte >> 4];
            url += u"0123456789ABCDEF"[byte & 0xF];
        }
    }
    return url;
}

WideString decodeUrlEscapes(const WideString& text) {
    WideString out;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] != u'%') {
            out += text[at++];
            continue;
        }
        // A run of escapes is decoded as UTF-8 together; a run that is not UTF-8 stays as written.
        Bytes run;
        std::size_t end = at;
        while (end + 2 < text.size() && text[end] == u'%' && hexValue(text[end + 1]) >= 0 && hexValue(text[end + 2]) >= 0) {
            run.push_back(static_cast<std::uint8_t>(hexValue(text[end + 1]) * 16 + hexValue(text[end + 2])));
            end += 3;
        }
        if (run.empty()) {
            out += text[at++];
            continue;
        }
        const WideString decoded = decodeUtf8Lenient(run);
        if (decoded.find(u'\uFFFD') != WideString::npos) {
            out += text.substr(at, end - at);
        } else {
            out += decoded;
        }
        at = end;
    }
    return out;
}

WideString shortenedWebAddress(const WideString& url) {
    constexpr std::size_t kKept = 30;
    if (url.size() <= 2 * kKept + 3) return url;
    return url.substr(0, kKept) + u"..." + url.substr(url.size() - kKept);
}

}  // namespace quillmont
