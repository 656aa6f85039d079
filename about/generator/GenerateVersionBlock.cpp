// Build step: writes the program's version block as a C++ source that puts
// it into the executable's version section, and as raw bytes for a Windows
// resource script.
//
//   kardolist-versionblock <version> <out.cpp> <out.bin>

#include "about/VersionBlockBuilder.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace {

bool WriteIfChanged(const QString &path, const QByteArray &bytes)
{
    QFile in(path);
    if (in.open(QIODevice::ReadOnly) && in.readAll() == bytes)
        return true;
    in.close();
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size() && out.flush();
}

QByteArray Source(const QByteArray &block, const QByteArray &version)
{
    QByteArray s =
        "// Generated from the project version " + version + " by kardolist-versionblock.\n"
        "#if defined(__ELF__)\n"
        "#if defined(__has_attribute)\n"
        "#if __has_attribute(retain)\n"
        "#define KARDOLIST_RETAIN __attribute__((retain))\n"
        "#endif\n"
        "#endif\n"
        "#ifndef KARDOLIST_RETAIN\n"
        "#define KARDOLIST_RETAIN\n"
        "#endif\n"
        "// Kept even though nothing refers to it: the program reads it back from its file.\n"
        "__attribute__((section(\".kardolist_version\"), used, aligned(4))) KARDOLIST_RETAIN\n"
        "const unsigned char kardolistVersionBlock[] = {";
    for (qsizetype i = 0; i < block.size(); ++i) {
        s += (i % 16 == 0) ? "\n    " : " ";
        s += "0x" + QByteArray::number(uchar(block[i]), 16).rightJustified(2, '0') + ",";
    }
    s += "\n};\n#endif\n";
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <version> <out.cpp> <out.bin>\n", argv[0]);
        return 2;
    }
    const QByteArray version(argv[1]);
    const QByteArray block = BuildVersionBlock(VersionResource::forVersion(QString::fromUtf8(version)));
    if (!WriteIfChanged(QString::fromLocal8Bit(argv[2]), Source(block, version))
        || !WriteIfChanged(QString::fromLocal8Bit(argv[3]), block)) {
        std::fprintf(stderr, "kardolist-versionblock: cannot write the output files\n");
        return 1;
    }
    return 0;
}
