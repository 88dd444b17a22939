// A shot file of another system, any bytes: read whole or not at all (a
// problem names its line and no shot is taken), and every shot read lies
// on the target. The same bytes are read as a plain CSV too, by columns
// taken from the first bytes.

#include "files/shotimport.h"
#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>

using namespace ankerblick;

namespace {

void check(const ShotFile& file) {
    FUZZ_CHECK(file.problemLine.has_value() == !file.problem.isEmpty());
    if (file.problemLine) {
        FUZZ_CHECK(file.strings.isEmpty());
        FUZZ_CHECK(*file.problemLine >= 0);
        return;
    }
    FUZZ_CHECK(file.kind != ShotFileKind::Unknown);
    for (const ImportedString& s : file.strings)
        for (const ImportedShot& shot : s.shots) {
            FUZZ_CHECK(std::isfinite(shot.xMm) && std::abs(shot.xMm) <= 1000.0);
            FUZZ_CHECK(std::isfinite(shot.yMm) && std::abs(shot.yMm) <= 1000.0);
            FUZZ_CHECK(!shot.value || std::isfinite(*shot.value));
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    check(readShotFile(bytes));
    if (size < 5)
        return 0;
    const auto column = [&](size_t i) {
        return int(data[i] % 8) - 1;
    };
    const QStringList names = csvColumnNames(bytes);
    FUZZ_CHECK(names.isEmpty() || names.size() >= 2);
    check(readPlainCsv(bytes, {column(0), column(1), column(2), column(3), column(4)}));
    return 0;
}
