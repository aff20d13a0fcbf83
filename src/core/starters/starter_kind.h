#pragma once

namespace quillmont {

// J2SE starters run desktop archives; J2ME starters run MIDlet suites.
enum class StarterKind { J2SE, J2ME };

}  // namespace quillmont
