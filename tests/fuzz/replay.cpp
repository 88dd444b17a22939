// Runs a fuzz target's checks over its seed corpus as an ordinary test: each
// file as it is, and again with its first byte set to 0 and to 1. For the
// series file that byte chooses the locale and the piece size; 0 and 1 feed
// one byte at a time, so every line goes through the reader's general path
// and must give what its fast path gave for the whole file.

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void replay(QByteArray bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                           size_t(bytes.size()));
    if (bytes.isEmpty())
        return;
    for (const char first : {'\0', '\1'}) {
        bytes[0] = first;
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no inputs in %s\n", argv[1]);
        return 1;
    }
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        replay(file.readAll());
        std::printf("%s: checked\n", qPrintable(name));
    }
    return 0;
}
