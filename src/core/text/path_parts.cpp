#include "core/text/path_parts.h"

namespace quillmont {

namespace {

// Where the file name starts: after the last separator, or at 0.
std::size_t nameStart(const WideString& path) {
    std::size_t start = path.size();
    while (start > 0 && !isPathSeparator(path[start - 1])) --start;
    return start;
}

}  // namespace

WideString fileNameOf(const WideString& path) { return path.substr(nameStart(path)); }

WideString folderOf(const WideString& path) {
    std::size_t end = nameStart(path);
    while (end > 1 && isPathSeparator(path[end - 1])) --end;
    return path.substr(0, end);
}

WideString withoutTrailingSeparators(WideString path) {
    while (path.size() > 1 && isPathSeparator(path.back()) && !(path.size() == 3 && path[1] == u':')) path.pop_back();
    return path;
}

PathParts splitPath(const WideString& path) {
    const std::size_t start = nameStart(path);
    std::size_t dot = path.rfind(u'.');
    if (dot == WideString::npos || dot < start) dot = path.size();
    return {path.substr(0, start), path.substr(start, dot - start), path.substr(dot)};
}

WideString joinPath(const WideString& folder, const WideString& relative) {
    std::size_t folderEnd = folder.size();
    while (folderEnd > 0 && isPathSeparator(folder[folderEnd - 1])) --folderEnd;
    std::size_t relativeStart = 0;
    while (relativeStart < relative.size() && isPathSeparator(relative[relativeStart])) ++relativeStart;
    return folder.substr(0, folderEnd) + u"\\" + relative.substr(relativeStart);
}

}  // namespace quillmont
