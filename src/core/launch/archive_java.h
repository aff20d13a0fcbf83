#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/launch/attribute_document.h"
#include "core/launch/zip_archive_reader.h"

namespace quillmont {

// The Java feature version a class file was compiled for: its major version less
// 44 (52 is Java 8, 61 Java 17). Nothing for bytes that are no class file.
std::optional<int> classFileJavaVersion(std::span<const std::uint8_t> bytes);

// The Java feature version a desktop archive needs: that of the class its
// Main-Class names, or of its Start-Class (Spring Boot's own launcher is the
// Main-Class there) when that needs more. Only the base entries count, so a
// multi-release archive needs what its oldest Java needs. 0 when the archive says
// nothing that can be read: it is then started as it is.
int javaNeededBy(ZipArchiveReader& archive, const AttributeDocument& manifest);

}  // namespace quillmont
