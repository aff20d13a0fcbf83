// Any bytes read as a launcher's PE header: no crash, no read outside the file,
// and an answer that agrees with the bytes it names.
#include <cstdlib>

#include "core/scan/executable_machine.h"
#include "fake_files.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakeFiles files;
    files.addFile(u"C:\\java\\bin\\java.exe", Bytes(data, data + size));
    const ExecutableBitness bitness = executableBitness(files, u"C:\\java\\bin\\java.exe");
    if (bitness != ExecutableBitness::Unknown && (size < 0x40 || data[0] != 'M' || data[1] != 'Z')) std::abort();
    if (files.openReaders() != 0) std::abort();
    return 0;
}
