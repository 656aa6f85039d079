#include "common/print/PrintoutRenderer.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Three pages of one line each; the page failPage throws when it is laid out.
Printout ThreePages(QList<int> *asked, int failPage = -1)
{
    Printout printout;
    printout.pageCount = 3;
    printout.pageItems = [asked, failPage](int page) {
        asked->append(page);
        if (page == failPage)
            throw std::runtime_error("page failed");
        return QList<PrintItem>{{page, 350, 400, u"Страница %1"_s.arg(page + 1)}};
    };
    return printout;
}

} // namespace

class TestPrintoutPdf : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void replacesTheFileOnlyWhenWhole_data();
    void replacesTheFileOnlyWhenWhole();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPrintoutPdf::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPrintoutPdf::replacesTheFileOnlyWhenWhole_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("failPage");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QList<int>>("asked");

    // Pages are laid out one at a time, in order, as they are drawn.
    QTest::newRow("every page") << u"out.pdf"_s << -1 << true << QList<int>{0, 1, 2};
    QTest::newRow("second page fails") << u"out.pdf"_s << 1 << false << QList<int>{0, 1};
    QTest::newRow("folder missing") << u"missing/out.pdf"_s << -1 << false << QList<int>{};
}

void TestPrintoutPdf::replacesTheFileOnlyWhenWhole()
{
    QFETCH(QString, target);
    QFETCH(int, failPage);
    QFETCH(bool, saved);
    QFETCH(QList<int>, asked);

    const QString path = m_dir->filePath(target);
    QFile old(path);
    if (old.open(QIODevice::WriteOnly)) {
        old.write("old");
        old.close();
    }

    QList<int> laidOut;
    QString reason;
    bool ok = false;
    try {
        ok = SavePrintoutPdf(path, ThreePages(&laidOut, failPage), u"Проба"_s, &reason);
    } catch (const std::runtime_error &) {
        QVERIFY(failPage >= 0);
    }
    QCOMPARE(ok, saved);
    QCOMPARE(laidOut, asked);
    QCOMPARE(reason.isEmpty(), saved || failPage >= 0);

    const QByteArray bytes = FileBytes(path);
    if (saved)
        QVERIFY(bytes.startsWith("%PDF") && bytes.trimmed().endsWith("%%EOF"));
    else
        QCOMPARE(bytes, QFile::exists(path) ? QByteArray("old") : QByteArray());
    // No half-written file stays beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QFile::exists(path) ? QStringList{u"out.pdf"_s}
                                                                                           : QStringList{});
}

QTEST_MAIN(TestPrintoutPdf)
#include "tst_printoutpdf.moc"
