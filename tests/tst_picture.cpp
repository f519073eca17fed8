// Picture files, image controls and the picture caches.
#include "lessons/globalprocedures.h"
#include "platform/fileaccesslog.h"
#include "platform/imagecontrol.h"
#include "platform/picture.h"
#include "platform/twips.h"
#include "testsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>

class tst_Picture : public QObject
{
    Q_OBJECT
private slots:
    void loadsByContent();
    void loadFailures_data();
    void loadFailures();
    void decodesAsQtDoes_data();
    void decodesAsQtDoes();
    void highDensityTwins_data();
    void highDensityTwins();
    void imageShowsNaturalSizeUnstretched();
    void twips();
    void cachesFillTheirSlots();
    void cacheEdgeCases();
    void missingCachePictureStopsTheLoader();
    void everyPictureHasItsTwin_data();
    void everyPictureHasItsTwin();
};

void tst_Picture::loadsByContent()
{
    ProgramDirectoryFixture dir;
    // A JPEG under a .gif name is still a picture: the content decides.
    QFile::copy(dir.file(QStringLiteral("check1.jpg")), dir.file(QStringLiteral("renamed.gif")));
    // Sizes in logical pixels: the same on any screen.
    const QPixmap p = loadPicture(dir.file(QStringLiteral("renamed.gif")));
    QCOMPARE(p.deviceIndependentSize(), QSizeF(49, 41));
    QCOMPARE(loadPicture(dir.file(QStringLiteral("newblue.ico"))).deviceIndependentSize(),
             QSizeF(32, 32));
    QCOMPARE(loadPicture(dir.file(QStringLiteral("0.gif"))).deviceIndependentSize(), QSizeF(33, 65));
}

void tst_Picture::loadFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("directory");
    QTest::addColumn<int>("error");
    QTest::newRow("missing") << QByteArray() << false << 53;
    QTest::newRow("directory") << QByteArray() << true << 75;
    QTest::newRow("text named .jpg") << QByteArray("hello, world\r\n") << false << 481;
    QTest::newRow("empty") << QByteArray("") << false << 481;
    QTest::newRow("truncated GIF") << QByteArray("GIF89a\x21\x00") << false << 481;
    QFile jpeg(QStringLiteral(FRETQUILL_PROGRAM_DIR "/exit.jpg"));
    jpeg.open(QIODevice::ReadOnly);
    const QByteArray whole = jpeg.readAll();
    QTest::newRow("JPEG cut short") << whole.left(whole.size() - 40) << false << 481;
    QFile gif(QStringLiteral(FRETQUILL_PROGRAM_DIR "/bb.gif"));
    gif.open(QIODevice::ReadOnly);
    QTest::newRow("GIF without its trailer") << gif.readAll().chopped(1) << false << 481;
    const QByteArray gifHead("GIF89a\x04\x00\x04\x00\x80\x00\x00\0\0\0\xff\xff\xff", 19);
    QTest::newRow("GIF of no pixels") << QByteArray(gifHead).replace(6, 4, QByteArray(4, 0)) + ";"
                                      << false << 481;
    QTest::newRow("GIF whose data ends before its last pixel")
        << gifHead + QByteArray(",\0\0\0\0\x04\0\x04\0\0\x02\x02\x0c\x53\0;", 16) << false << 481;
    QTest::newRow("GIF opening its data with a code past its table")
        << gifHead + QByteArray(",\0\0\0\0\x04\0\x04\0\0\x02\x0e\x3c\xc3\x30\x0c\xc3\x30\x0c"
                                "\xc3\x30\x0c\xc3\x30\x4c\x01\0;", 28) << false << 481;
    QTest::newRow("icon cut short in its bitmap")
        << QByteArray("\0\0\x01\0\x01\0\x02\x02\0\0\x01\0\x20\0\x34\0\0\0\x16\0\0\0", 22) +
               QByteArray("\x28\0\0\0\x02\0\0\0\x04\0\0\0\x01\0\x20\0", 16) + QByteArray(36, 0)
        << false << 481;
}

// The program decodes GIF, JPEG and icon files itself: into the same pixels
// as Qt's own readers, also in the forms its own files do not take.
void tst_Picture::decodesAsQtDoes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // A GIF of 6 x 9 pixels in four colours, each index sent after a clear
    // code as a 3-bit code of its own, so that the data needs no LZW table.
    auto gif = [](const QByteArray& blocks, const QByteArray& descriptor, int pixels = 54) {
        QByteArray data;
        quint32 bits = 0, count = 0;
        auto put = [&](quint32 code) {
            for (bits |= code << count, count += 3; count >= 8; bits >>= 8, count -= 8)
                data += char(bits);
        };
        for (int i = 0; i < pixels; ++i)
            put(4), put((i * 7 + i / 6) % 4);
        put(5);
        data += char(bits);
        return QByteArray("GIF89a\x06\0\x09\0\x81\x02\0\0\0\0\xff\0\0\0\xff\0\0\0\xff", 25) +
               blocks + ',' + descriptor + '\x02' + char(data.size()) + data + QByteArray("\0;", 2);
    };
    const QByteArray whole("\0\0\0\0\x06\0\x09\0", 8);
    QTest::newRow("GIF, interlaced") << gif({}, whole + '\x40');
    QTest::newRow("GIF, a transparent colour")
        << gif(QByteArray("\x21\xf9\x04\x01\0\0\x01\0", 8), whole + '\0');
    QTest::newRow("GIF, an image inside a larger screen")
        << gif({}, QByteArray("\x02\0\x03\0\x03\0\x05\0\0", 9), 15);
    QTest::newRow("GIF, a colour table of the image's own")
        << gif({}, whole + QByteArray("\x81\x10\x20\x30\x40\x50\x60\x70\x80\x90\xa0\xb0\xc0", 13));
    QImage drawn(37, 23, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter(&drawn).fillRect(5, 3, 20, 15, QColor(200, 30, 45));
    auto write = [](const QImage& image, const char* format, bool progressive) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        writer.setProgressiveScanWrite(progressive);
        writer.write(image);
        return bytes;
    };
    QTest::newRow("JPEG, progressive") << write(drawn, "jpeg", true);
    QTest::newRow("JPEG, greyscale") << write(drawn.convertToFormat(QImage::Format_Grayscale8), "jpeg", false);
    QFile pointer(QStringLiteral(FRETQUILL_PROGRAM_DIR "/newblue.ico"));
    pointer.open(QIODevice::ReadOnly);
    QTest::newRow("icon, 32 bits with alpha") << pointer.readAll();
}

void tst_Picture::decodesAsQtDoes()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QImageReader qt(path);
    const QImage expected = qt.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY2(!expected.isNull(), qPrintable(qt.errorString()));
    QCOMPARE(loadPicture(path).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
}

void tst_Picture::loadFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, directory);
    QFETCH(int, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.jpg"));
    if (directory)
        QDir().mkdir(path);
    else if (error != 53) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QString where;
    QCOMPARE(errorNumberOf([&] { loadPicture(path); }, &where), error);
    QCOMPARE(where, path);
}

void tst_Picture::highDensityTwins_data()
{
    QTest::addColumn<QString>("twin"); // what lies beside the picture under its @2x name
    QTest::newRow("a twin") << QStringLiteral("picture");
    QTest::newRow("no twin") << QString();
    QTest::newRow("a broken twin") << QStringLiteral("broken");
    QTest::newRow("a directory for a twin") << QStringLiteral("directory");
}

// This test runs on an ordinary screen and again at a scale factor of 2.
// On a high-density screen the @2x twin is read in place of the picture
// (once, with the same errors when it is bad) and shown at the picture's
// logical size; without a twin the picture itself, silently. On an
// ordinary screen nothing but the picture itself is opened.
void tst_Picture::highDensityTwins()
{
    QFETCH(QString, twin);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cell.gif"));
    const QString twinPath = dir.filePath(QStringLiteral("cell@2x.gif"));
    QVERIFY(QFile::copy(QStringLiteral(FRETQUILL_PROGRAM_DIR "/2.gif"), path));
    QImage sharp(66, 130, QImage::Format_RGB32);
    sharp.fill(Qt::darkRed);
    if (twin == QLatin1String("picture"))
        QVERIFY(sharp.save(twinPath, "png")); // the content decides the kind
    else if (twin == QLatin1String("broken"))
        QVERIFY(QFile(twinPath).open(QIODevice::WriteOnly));
    else if (twin == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(twinPath));

    const bool high = qApp->devicePixelRatio() > 1;
    QCOMPARE(highDensityScreen(), high);
    QCOMPARE(highDensityName(path), twinPath);
    FileAccessLog::clear();
    QString where;
    QPixmap picture;
    const int error = errorNumberOf([&] { picture = loadPicture(path); }, &where);
    const bool readsTwin = high && !twin.isEmpty();
    QCOMPARE(FileAccessLog::opened(), QStringList{readsTwin ? twinPath : path});
    if (readsTwin && twin != QLatin1String("picture")) {
        QCOMPARE(error, twin == QLatin1String("broken") ? 481 : 75);
        QCOMPARE(where, twinPath);
        return;
    }
    QCOMPARE(error, 0);
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(33, 65));
    QCOMPARE(picture.devicePixelRatio(), readsTwin ? 2.0 : 1.0);
    QVERIFY(samePixels(picture.toImage(), readsTwin ? sharp : imageOf(path)));
}

void tst_Picture::imageShowsNaturalSizeUnstretched()
{
    QWidget window;
    window.resize(200, 200);
    QPalette pal;
    pal.setColor(QPalette::Window, Qt::white);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    ImageControl image(&window);
    image.setTwipsGeometry(150, 300, 900, 900); // 10,20 and 60 x 60 px
    QCOMPARE(image.geometry(), QRect(10, 20, 60, 60));

    // The window's own pixels, at the screen's density, told by logical
    // pixel.
    const qreal scale = window.devicePixelRatioF();
    auto at = [&](const QImage& shot, int x, int y) {
        return shot.pixelColor(QPoint(x, y) * scale);
    };
    QPixmap red(20, 10);
    red.fill(Qt::red);
    image.setPicture(red);
    QImage shot = window.grab().toImage();
    QCOMPARE(at(shot, 10, 20), QColor(Qt::red));
    QCOMPARE(at(shot, 29, 29), QColor(Qt::red));
    QCOMPARE(at(shot, 30, 20), QColor(Qt::white)); // not stretched
    QCOMPARE(at(shot, 10, 30), QColor(Qt::white));

    QPixmap big(100, 100); // larger than the control: clipped, not shrunk
    big.fill(Qt::blue);
    image.setPicture(big);
    shot = window.grab().toImage();
    QCOMPARE(at(shot, 69, 79), QColor(Qt::blue));
    QCOMPARE(at(shot, 70, 80), QColor(Qt::white));

    // A picture with twice the pixels covers the same logical size.
    QPixmap sharp(40, 20);
    sharp.fill(Qt::green);
    sharp.setDevicePixelRatio(2);
    image.setPicture(sharp);
    shot = window.grab().toImage();
    QCOMPARE(at(shot, 29, 29), QColor(Qt::green));
    QCOMPARE(at(shot, 30, 20), QColor(Qt::white));

    image.setPicture(QPixmap()); // no picture clears it
    shot = window.grab().toImage();
    QCOMPARE(at(shot, 10, 20), QColor(Qt::white));
}

void tst_Picture::twips()
{
    QCOMPARE(twipsToPixels(10215), 681);
    QCOMPARE(twipsToPixels(8175), 545);
    QCOMPARE(twipsToPixels(15), 1);
    QCOMPARE(twipsToPixels(7), 0);
    QCOMPARE(twipsToPixels(8), 1);
    QCOMPARE(twipsToPixels(-15), -1);
}

void tst_Picture::cachesFillTheirSlots()
{
    ProgramDirectoryFixture dir;
    globalProcedures g(dir.path());
    FileAccessLog::clear();
    g.loadDotPictures();
    g.loadCheckPictures();
    g.loadFretPictures();
    auto shown = [&](const QString& name) { return imageOf(fileOnThisScreen(dir.file(name))); };
    for (int n = 0; n <= 22; ++n)
        QVERIFY(samePixels(g.dotPictures(n).toImage(), shown(QStringLiteral("%1.gif").arg(n))));
    for (int n = 1; n <= 16; ++n)
        QVERIFY(!g.fretPictures(n).isNull());
    QVERIFY(samePixels(g.checkPictures(0).toImage(), shown("check2.jpg")));
    QVERIFY(samePixels(g.checkPictures(1).toImage(), shown("check1.jpg")));
    // Each file read once, in slot order; 23.gif and fret0.gif never.
    QCOMPARE(FileAccessLog::opened().size(), 23 + 2 + 16);
    const QString twin = highDensityScreen() ? QStringLiteral("@2x") : QString();
    QCOMPARE(QFileInfo(FileAccessLog::opened().first()).fileName(), "0" + twin + ".gif");
    QCOMPARE(QFileInfo(FileAccessLog::opened().at(23)).fileName(), "check2" + twin + ".jpg");
}

void tst_Picture::cacheEdgeCases()
{
    ProgramDirectoryFixture dir;
    QFile::copy(dir.file(QStringLiteral("1.gif")), dir.file(QStringLiteral("23.gif")));
    QFile::copy(dir.file(QStringLiteral("fret1.gif")), dir.file(QStringLiteral("fret0.gif")));
    globalProcedures g(dir.path());
    g.loadDotPictures();
    g.loadFretPictures();
    QVERIFY(g.dotPictures(23).isNull()); // a 23.gif beside them is ignored
    QVERIFY(g.fretPictures(0).isNull());
    QVERIFY_ERROR(g.dotPictures(24), ErrorNumber::SubscriptOutOfRange);
    QVERIFY_ERROR(g.fretPictures(17), ErrorNumber::SubscriptOutOfRange);
    QVERIFY_ERROR(g.checkPictures(-1), ErrorNumber::SubscriptOutOfRange);
}

void tst_Picture::missingCachePictureStopsTheLoader()
{
    ProgramDirectoryFixture dir;
    dir.remove(QStringLiteral("fret9.gif"));
    dir.remove(QStringLiteral("fret9@2x.gif")); // else a high-density screen reads it
    globalProcedures g(dir.path());
    QString where;
    QCOMPARE(errorNumberOf([&] { g.loadFretPictures(); }, &where), 53);
    QCOMPARE(where, dir.file(QStringLiteral("fret9.gif")));
    QVERIFY(!g.fretPictures(8).isNull()); // slots filled before the failure stay filled
    QVERIFY(g.fretPictures(10).isNull());
}

void tst_Picture::everyPictureHasItsTwin_data()
{
    // Every picture of the program directory; how far its 2x drawing may
    // lie from the 1x one (cells tile the board and must line up, while
    // 1x text snaps to whole pixels); the labelled dots it must not look like.
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("tolerance");
    QTest::addColumn<QStringList>("differsFrom");
    const QHash<QString, QStringList> labelled = {{"18.gif", {"1.gif", "19.gif", "20.gif"}},
                                                  {"19.gif", {"1.gif", "20.gif"}},
                                                  {"20.gif", {"1.gif"}}};
    const QRegularExpression cell(QStringLiteral("^\\d+\\.gif$"));
    const QStringList names = QDir(QStringLiteral(FRETQUILL_PROGRAM_DIR))
                                  .entryList({"*.gif", "*.jpg", "*.ico"}, QDir::Files);
    QVERIFY(names.contains(QStringLiteral("20.gif")));
    for (const QString& name : names)
        if (!name.contains(QLatin1String("@2x")))
            QTest::newRow(qPrintable(name))
                << name << (cell.match(name).hasMatch() ? 0.25 : 1.0) << labelled.value(name);
}

void tst_Picture::everyPictureHasItsTwin()
{
    QFETCH(QString, name);
    QFETCH(qreal, tolerance);
    QFETCH(QStringList, differsFrom);
    const QDir dir(QStringLiteral(FRETQUILL_PROGRAM_DIR));
    auto twin = [](QString file) { return file.insert(file.lastIndexOf(QLatin1Char('.')), "@2x"); };
    QImageReader oneX(dir.filePath(name));
    QImageReader twoX(dir.filePath(twin(name)));
    const QImage small = oneX.read();
    const QImage large = twoX.read();
    QVERIFY2(!small.isNull(), qPrintable(oneX.errorString()));
    QVERIFY2(!large.isNull(), qPrintable(twoX.errorString()));
    // The format the file holds, not the one its name gives.
    QCOMPARE(QImageReader::imageFormat(twoX.fileName()),
             QImageReader::imageFormat(oneX.fileName()));
    QCOMPARE(large.size(), small.size() * 2);

    // The same drawing at the same logical places: the centre of its ink
    // (over white) lies where the 1x picture's does.
    auto inkCentre = [](const QImage& image, qreal scale) {
        QImage onWhite(image.size(), QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        QPainter(&onWhite).drawImage(onWhite.rect(), image);
        qreal sum = 0, x = 0, y = 0;
        for (int j = 0; j < onWhite.height(); ++j)
            for (int i = 0; i < onWhite.width(); ++i) {
                const QRgb c = onWhite.pixel(i, j);
                const qreal ink = 765 - qRed(c) - qGreen(c) - qBlue(c);
                sum += ink;
                x += ink * (i + 0.5);
                y += ink * (j + 0.5);
            }
        return QPointF(x, y) / (sum * scale);
    };
    const QPointF offset = inkCentre(large, 2) - inkCentre(small, 1);
    QVERIFY2(qAbs(offset.x()) <= tolerance && qAbs(offset.y()) <= tolerance,
             qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));

    for (const QString& other : differsFrom) {
        QVERIFY2(!samePixels(small, imageOf(dir.filePath(other))), qPrintable(other));
        QVERIFY2(!samePixels(large, imageOf(dir.filePath(twin(other)))), qPrintable(other));
    }
}

QTEST_MAIN(tst_Picture)
#include "tst_picture.moc"
