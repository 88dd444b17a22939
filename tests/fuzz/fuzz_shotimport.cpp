// A shot file of another system, any bytes: read whole or not at all (a
// problem names its line and no shot is taken), and every shot read lies
// on the target.

#include "files/shotimport.h"
#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>

using namespace ankerblick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ShotFile file = readShotFile(bytes);
    FUZZ_CHECK(file.problemLine.has_value() == !file.problem.isEmpty());
    if (file.problemLine) {
        FUZZ_CHECK(file.strings.isEmpty());
        FUZZ_CHECK(*file.problemLine >= 0);
        return 0;
    }
    FUZZ_CHECK(file.kind != ShotFileKind::Unknown);
    for (const ImportedString& s : file.strings)
        for (const ImportedShot& shot : s.shots) {
            FUZZ_CHECK(std::isfinite(shot.xMm) && std::abs(shot.xMm) <= 1000.0);
            FUZZ_CHECK(std::isfinite(shot.yMm) && std::abs(shot.yMm) <= 1000.0);
            FUZZ_CHECK(!shot.value || std::isfinite(*shot.value));
        }
    return 0;
}
