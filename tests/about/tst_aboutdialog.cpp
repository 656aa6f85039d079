#include "about/FileVersion.h"
#include "about/JpegDecoder.h"
#include "about/VersionBlock.h"
#include "about/VersionBlockBuilder.h"
#include "about/ui/AboutDialog.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 Russian1251 = 0x0419 | 1251u << 16;
constexpr quint32 English1200 = 0x0409 | 1200u << 16;

using Strings = QList<std::pair<QString, QString>>;

QByteArray Block(QList<quint32> translations, QList<VersionResource::StringTable> tables)
{
    VersionResource r;
    r.fileVersion = {2, 1, 0, 0};
    r.translations = translations;
    r.stringTables = tables;
    return BuildVersionBlock(r);
}

QByteArray GoodBlock()
{
    return Block({Russian1251}, {{u"041904E3"_s, {{u"FileVersion"_s, u"2.1.0.0"_s}}}});
}

QString AppPath()
{
    return QStringLiteral(KARDOLIST_BINARY_DIR "/app/kardolist");
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    void fileVersionFromBlock_data();
    void fileVersionFromBlock();
    void damagedBlock_data();
    void damagedBlock();
    void everyByteDamagedReadsSafely();
    void programCarriesItsVersion();
    void filesWithoutBlock_data();
    void filesWithoutBlock();
    void logoDecodes();
    void corruptJpeg_data();
    void corruptJpeg();
    void controls_data();
    void controls();
    void window();
    void linkOpensSite();
    void okCloses();
};

void TestAbout::fileVersionFromBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("version");

    QTest::newRow("0419/1251 table 041904E3") << GoodBlock() << u"2.1.0.0"_s;
    QTest::newRow("table keyed 040904B0")
        << Block({Russian1251}, {{u"040904B0"_s, {{u"FileVersion"_s, u"2.1.0.0"_s}}}}) << QString();
    QTest::newRow("no translation")
        << Block({}, {{u"041904E3"_s, {{u"FileVersion"_s, u"2.1.0.0"_s}}}}) << QString();
    QTest::newRow("no FileVersion")
        << Block({Russian1251}, {{u"041904E3"_s, {{u"ProductVersion"_s, u"2.1.0.0"_s}}}}) << QString();
    QTest::newRow("only the first translation counts")
        << Block({English1200, Russian1251}, {{u"041904E3"_s, {{u"FileVersion"_s, u"2.1.0.0"_s}}}}) << QString();
    QTest::newRow("keys without regard to case")
        << Block({Russian1251}, {{u"041904e3"_s, {{u"fileversion"_s, u"2.1.0.0"_s}}}}) << u"2.1.0.0"_s;
    QTest::newRow("second table, after odd-length strings")
        << Block({Russian1251}, {{u"040904B0"_s, {{u"FileVersion"_s, u"9.9"_s}}},
                                 {u"041904E3"_s, {{u"Comments"_s, u"x"_s}, {u"ProductName"_s, u"Кардолист"_s},
                                                  {u"FileVersion"_s, u"10.20.300.4000"_s}}}})
        << u"10.20.300.4000"_s;
    QTest::newRow("empty block") << QByteArray() << QString();
}

void TestAbout::fileVersionFromBlock()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, version);
    QCOMPARE(FileVersionFromBlock(block), version);
}

void TestAbout::damagedBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    const QByteArray good = GoodBlock();
    for (qsizetype n = 0; n < good.size(); ++n)
        QTest::addRow("truncated to %lld", qlonglong(n)) << good.left(n);

    auto patched = [&](qsizetype at, QByteArray bytes) { return QByteArray(good).replace(at, bytes.size(), bytes); };
    const qsizetype strings = good.indexOf(QByteArray("S\0t\0r\0i\0n\0g\0F", 13)) - 6;
    const qsizetype table = good.indexOf(QByteArray("0\0004\0001\0009", 7)) - 6;
    QVERIFY(strings > 0 && table > 0);
    QTest::newRow("child longer than its parent") << patched(strings, "\xFF\xFF");
    QTest::newRow("child shorter than its header") << patched(strings, "\x04\x00");
    QTest::newRow("table key without its zero")
        << patched(table, QByteArray("\x16\x00", 2)); // ends inside the key
    QTest::newRow("root shorter than its children") << patched(0, QByteArray("\x60\x00", 2));
}

void TestAbout::damagedBlock()
{
    QFETCH(QByteArray, block);
    QCOMPARE(FileVersionFromBlock(block), QString());
}

void TestAbout::everyByteDamagedReadsSafely()
{
    // Whatever a damaged byte does to the answer, reading stays inside the block.
    const QByteArray good = GoodBlock();
    for (qsizetype i = 0; i < good.size(); ++i) {
        for (char value : {'\x00', '\x01', '\x7F', '\xFF'}) {
            QByteArray damaged = good;
            damaged[i] = value;
            QVERIFY(FileVersionFromBlock(damaged).size() <= good.size() / 2);
            VersionBlock(damaged).query(u"\\");
        }
    }
}

void TestAbout::programCarriesItsVersion()
{
    QVERIFY2(QFile::exists(AppPath()), "build the kardolist program first");
    QCOMPARE(ReadFileVersion(AppPath()), QStringLiteral(KARDOLIST_VERSION));
}

void TestAbout::filesWithoutBlock_data()
{
    QTest::addColumn<QByteArray>("content"); // written to a file; empty name means no file
    QTest::addColumn<QString>("path");

    QTest::newRow("no such file") << QByteArray() << u"missing"_s;
    QTest::newRow("a folder") << QByteArray() << u"."_s;
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("text file") << QByteArray("Version 2.1.0.0\r\n") << QString();
    QTest::newRow("ELF without the section") << FileBytes(QCoreApplication::applicationFilePath()) << QString();
    const QByteArray app = FileBytes(AppPath());
    for (qsizetype n : {qsizetype(4), qsizetype(20), qsizetype(64), qsizetype(4096), app.size() / 2, app.size() - 1})
        if (n < app.size())
            QTest::addRow("program cut to %lld bytes", qlonglong(n)) << app.left(n) << QString();
    if (app.size() > 64) {
        QByteArray wild = app;
        wild.replace(0x28, 8, QByteArray(8, '\xFF')); // section table far beyond the end
        QTest::newRow("section table beyond the file") << wild << QString();
    }
}

void TestAbout::filesWithoutBlock()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, path);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir::setCurrent(dir.path());
    if (path.isEmpty()) {
        path = dir.filePath(u"file"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QCOMPARE(ReadFileVersion(path), QString());
}

void TestAbout::logoDecodes()
{
    const QImage logo = JpegDecoder::decode(AboutDialog::logoJpeg());
    QCOMPARE(logo.size(), QSize(270, 120));
}

void TestAbout::corruptJpeg_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    const QByteArray logo = AboutDialog::logoJpeg();
    QVERIFY(!logo.isEmpty());
    const qsizetype sof = logo.indexOf("\xFF\xC0");
    QVERIFY(sof > 0);
    auto withSize = [&](quint16 w, quint16 h) {
        QByteArray b = logo;
        b[sof + 5] = char(h >> 8), b[sof + 6] = char(h & 0xFF);
        b[sof + 7] = char(w >> 8), b[sof + 8] = char(w & 0xFF);
        return b;
    };

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("this is not a picture at all");
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8");
    QTest::newRow("cut in the header") << logo.left(sof + 4);
    QTest::newRow("cut in the middle") << logo.left(logo.size() / 2);
    QTest::newRow("cut before the end marker") << logo.left(logo.size() - 2);
    QTest::newRow("zero width") << withSize(0, 120);
    QTest::newRow("oversized") << withSize(60000, 60000);
}

void TestAbout::corruptJpeg()
{
    QFETCH(QByteArray, jpeg);
    QVERIFY(JpegDecoder::decode(jpeg).isNull());
}

void TestAbout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("productLabel") << u"productLabel"_s << QPoint(264, 40) << u"Кардолист"_s;
    QTest::newRow("versionLabel") << u"versionLabel"_s << QPoint(32, 136) << u"Версия : "_s; // the test program has no block
    QTest::newRow("makerLabel") << u"makerLabel"_s << QPoint(32, 168) << QString();
    QTest::newRow("siteCaptionLabel") << u"siteCaptionLabel"_s << QPoint(32, 200) << u"Сайт компании :"_s;
    QTest::newRow("siteLink") << u"siteLink"_s << QPoint(144, 200) << u"https://kardolist.example"_s;
}

void TestAbout::controls()
{
    QFETCH(QString, name);
    QFETCH(QPoint, position);
    QFETCH(QString, text);
    AboutDialog form;
    auto *label = form.findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->pos(), position);
    if (!text.isEmpty())
        QCOMPARE(label->text(), text);
    QCOMPARE(label->font().family(), u"Arial"_s);
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().pixelSize(), name == u"productLabel"_s ? 27 : 13);
}

void TestAbout::window()
{
    AboutDialog form;
    QCOMPARE(form.windowTitle(), u"О программе"_s);
    QCOMPARE(form.geometry(), QRect(200, 380, 598, 339));
    // A fixed size: nothing to drag open.
    QCOMPARE(form.minimumSize(), QSize(598, 339));
    QCOMPARE(form.maximumSize(), QSize(598, 339));
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowSystemMenuHint));

    auto *image = form.findChild<QLabel *>(u"logo"_s);
    auto *bevel = form.findChild<QFrame *>(u"logoFrame"_s);
    QVERIFY(image && bevel);
    QCOMPARE(image->geometry(), QRect(-8, 0, 265, 113));
    QCOMPARE(bevel->geometry(), image->geometry());
    QCOMPARE(bevel->frameShadow(), QFrame::Raised);
    QCOMPARE(image->pixmap().size(), QSize(270, 120));
    QVERIFY(!image->hasScaledContents());

    auto *link = form.findChild<QLabel *>(u"siteLink"_s);
    QVERIFY(link);
    QVERIFY(link->font().italic() && link->font().underline());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->palette().color(QPalette::WindowText), form.palette().color(QPalette::Link));

    auto *ok = form.findChild<QPushButton *>(u"okButton"_s);
    QVERIFY(ok);
    QCOMPARE(ok->text(), u"ОК"_s);
    QCOMPARE(ok->geometry(), QRect(240, 272, 89, 25));
}

void TestAbout::linkOpensSite()
{
    AboutDialog form;
    QList<QUrl> opened;
    form.setUrlOpener([&](const QUrl &url) { opened << url; });
    form.show();
    QTest::mouseClick(form.findChild<QLabel *>(u"siteLink"_s), Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl>{QUrl(u"https://kardolist.example"_s)});
}

void TestAbout::okCloses()
{
    AboutDialog form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QTest::mouseClick(form.findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestAbout)
#include "tst_aboutdialog.moc"
