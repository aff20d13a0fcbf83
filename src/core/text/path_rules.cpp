#include "core/text/path_rules.h"

#include <vector>

namespace quillmont {

namespace {

// The root a path starts with: "X:\", "X:", "\\" or "\"; empty for a relative one.
std::size_t rootLength(const WideString& path) {
    if (path.size() >= 2 && path[1] == u':') return path.size() >= 3 && path[2] == u'\\' ? 3 : 2;
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') return 2;
    if (!path.empty() && path[0] == u'\\') return 1;
    return 0;
}

bool isRelative(const WideString& path) {
    return !(!path.empty() && path[0] == u'\\') && !(path.size() >= 2 && path[1] == u':');
}

// PathStripToRootW for the drive-letter paths the program meets.
WideString rootOf(const WideString& path) {
    if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2) + u"\\";
    return u"\\";
}

}  // namespace

WideString canonicalizePath(const WideString& path) {
    const std::size_t root = rootLength(path);
    std::vector<WideString> segments;
    std::size_t start = root;
    const bool trailingSlash = path.size() > root && path.back() == u'\\';
    while (start < path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == WideString::npos) end = path.size();
        WideString segment = path.substr(start, end - start);
        if (segment == u"..") {
            if (!segments.empty()) segments.pop_back();
        } else if (segment != u"." && !segment.empty()) {
            segments.push_back(std::move(segment));
        }
        start = end + 1;
    }
    WideString result = path.substr(0, root);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) result.push_back(u'\\');
        result += segments[i];
    }
    if (trailingSlash && !segments.empty()) result.push_back(u'\\');
    if (result.size() == 2 && result[1] == u':') result.push_back(u'\\');
    return result;
}

WideString combinePaths(const WideString& folder, const WideString& more) {
    if (more.empty()) return canonicalizePath(folder);
    if (folder.empty() || !isRelative(more)) {
        const bool fromRoot = !folder.empty() && more[0] == u'\\' && !(more.size() > 1 && more[1] == u'\\');
        return canonicalizePath(fromRoot ? rootOf(folder) + more.substr(1) : more);
    }
    WideString combined = folder;
    if (combined.back() != u'\\') combined.push_back(u'\\');
    return canonicalizePath(combined + more);
}

}  // namespace quillmont
