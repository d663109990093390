#include "ui/ShellFixture.h"

#include "platform/context/Notifications.h"
#include "platform/SafeSave.h"
#include "profile/ProfileScene.h"
#include "app/draw/ProfileCommand.h"
#include "profile/draw/ProfilePainter.h"
#include "profile/ui/ProfileDataWindow.h"
#include "profile/ui/ProfileView.h"
#include "profile/ui/ProfileWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>
#include <numbers>

namespace {

using Scene = ProfileScene;

// A dive with a profile of n samples down to `bottom` metres and back, the
// deepest sample in the middle.
Plongee profiledDive(int number, int samples, float bottom, int samplingRate)
{
    Plongee d = ShellFixture::dive(number, QStringLiteral("Place %1").arg(number), bottom, 30);
    QList<float> depths(samples), pressures(samples);
    for (int i = 0; i < samples; ++i) {
        depths[i] = float(std::round(10 * bottom * std::sin(std::numbers::pi * i / std::max(1, samples - 1))) / 10);
        pressures[i] = 200.0f - 150.0f * float(i) / float(std::max(1, samples - 1));
    }
    d.setProfilProfondeur(depths);
    d.setPRESS_Data(pressures);
    QList<qint16> gas(samples, 0);
    gas[0] = 1;
    d.setGAZ_Flag(gas);
    d.setO2Mix(32);
    d.setPpO2(4);
    d.setSamplingRate(samplingRate);
    d.setPressionDepart(200);
    d.setPressionFin(50);
    return d;
}

// The reddish points of a picture, one in four.
int redPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 180 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    return count;
}

void moveMouse(QWidget* widget, QPointF position)
{
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class ProfileWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        carnet = std::make_unique<Carnet>(*context);
        carnet->setDives({profiledDive(1, 120, 18, 0), profiledDive(2, 61, 40, 3), dive(3, QStringLiteral("Lac"), 12, 30)});
    }
    void TearDown() override
    {
        carnet.reset();
        ShellFixture::TearDown();
    }

    std::unique_ptr<Carnet> carnet;
};

} // namespace

TEST_F(ProfileWindowTest, ShowsTheDiveOfTheFormAndRedrawsOnTheSettings)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({1}, 1);
    EXPECT_EQ(QStringList({window.windowTitle(), window.locationLabel()->text()}),
              QStringList({"Profile of dive 2", "Place 2 - Site 2 "}));
    EXPECT_EQ(std::tuple(window.scene().sampleCount(), window.samplingRateBox()->currentData().toInt()), std::tuple(61, 3));
    carnet->setSelection({0}, 0);
    EXPECT_EQ(std::tuple(window.scene().sampleCount(), window.samplingRateBox()->currentData().toInt()), std::tuple(120, 0));

    // A profile setting changed elsewhere redraws the window.
    carnet->setSelection({1}, 1);
    ASSERT_NE(window.scene().path(Scene::Role::Curve, Scene::Path::Op::Fill), nullptr);
    settings().setValue(QStringLiteral("fill plot"), false);
    context->hub().post(notifications::profile);
    EXPECT_EQ(window.scene().path(Scene::Role::Curve, Scene::Path::Op::Fill), nullptr);

    // The view paints the curve.
    window.view()->resize(700, 620);
    EXPECT_GT(redPixels(window.view()->grab().toImage()), 50);
}

TEST_F(ProfileWindowTest, ReadoutGivesWhatTheCurveShowsUnderThePointerAndThePageExportsAsPdf)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({1}, 1); // 61 samples a minute apart, 40 m at sample 30
    window.show();
    window.view()->resize(900, 700);
    const QTransform toWidget = ProfilePainter::canvasTransform(QRectF(window.view()->rect()));
    const auto readAt = [&](int sample, double depth) {
        moveMouse(window.view(), toWidget.map(QPointF(window.scene().sampleX(sample), window.scene().depthY(depth))));
        return window.readoutLabel()->text();
    };
    EXPECT_EQ(readAt(30, 40), QStringLiteral("Depth: 40.0 m   Time: 30.0 min"));
    // Another sampling interval chosen here reads, and draws, another time.
    window.samplingRateBox()->setCurrentIndex(window.samplingRateBox()->findData(2)); // 30 s
    EXPECT_EQ(std::tuple(window.scene().samplingPeriod(), readAt(30, 40)), std::tuple(30, QStringLiteral("Depth: 40.0 m   Time: 15.0 min")));
    // Refreshing the form keeps that choice; another dive brings its own.
    carnet->updateUI();
    EXPECT_EQ(window.scene().samplingPeriod(), 30);
    carnet->setSelection({0}, 0);
    EXPECT_EQ(window.scene().samplingPeriod(), 10);

    // The printed page exports as PDF.
    const QString file = path(QStringLiteral("profile.pdf"));
    const SaveResult saved = window.exportPdf(file);
    EXPECT_TRUE(saved.ok && saved.durable && fileContent(file).startsWith("%PDF")) << saved.error.toStdString();
    const SaveResult refused = window.exportPdf(path(QStringLiteral("no/such/folder/p.pdf")));
    EXPECT_TRUE(!refused.ok && !refused.error.isEmpty());
}

TEST(ProfilePainter, FitsTheCanvasUprightAndCentred)
{
    const QTransform t = ProfilePainter::canvasTransform(QRectF(0, 0, 1400, 1240));
    EXPECT_EQ(std::tuple(t.map(QPointF(0, 0)), t.map(QPointF(700, 620))), std::tuple(QPointF(0, 1240), QPointF(1400, 0)));
    // A wider target: the height decides, the drawing is centred across.
    const QTransform wide = ProfilePainter::canvasTransform(QRectF(0, 0, 1200, 620));
    EXPECT_EQ(std::tuple(wide.map(QPointF(0, 620)), wide.map(QPointF(700, 0))), std::tuple(QPointF(250, 0), QPointF(950, 620)));
}

// The command line draws a row's profile as a PNG; a bad row, logbook or
// output is refused in one line and writes nothing; bad usage is status 2.
TEST_F(ProfileWindowTest, TheCommandLineDrawsAPng)
{
    const QString book = writeLogbook(QStringLiteral("dives.ondrix"),
                                      {profiledDive(1, 600, 30, 0), dive(2, QStringLiteral("Lac"), 12, 30), profiledDive(3, 7200, 60, 6)});
    const QString png = path(QStringLiteral("p.png"));
    const QString bad = path(QStringLiteral("no/folder/p.png"));
    const QString missing = path(QStringLiteral("missing.ondrix"));
    const struct { QStringList args; int status; QString errStart /* for status 1 */; } cases[] = {
        {{book, QStringLiteral("0"), QStringLiteral("--png"), png}, 0, {}},
        {{book, QStringLiteral("1"), QStringLiteral("--png"), png}, 0, {}}, // no profile: along the surface
        {{book, QStringLiteral("2"), QStringLiteral("--png"), png}, 0, {}},
        {{book, QStringLiteral("3"), QStringLiteral("--png"), png}, 1, QStringLiteral("ondrix-cli: %1: row ").arg(book)},
        {{missing, QStringLiteral("0"), QStringLiteral("--png"), png}, 1, QStringLiteral("ondrix-cli: ")},
        {{book, QStringLiteral("0"), QStringLiteral("--png"), bad}, 1, QStringLiteral("ondrix-cli: %1: ").arg(bad)},
        {{}, 2, {}},
        {{book, QStringLiteral("zero"), QStringLiteral("--png"), png}, 2, {}},
        {{book, QStringLiteral("0"), QStringLiteral("--svg"), png}, 2, {}},
        {{book, QStringLiteral("0"), QStringLiteral("--png"), png, QStringLiteral("--pdf"), png}, 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        ASSERT_TRUE(saveFileAtomically(png, "not touched").ok);
        QByteArray out, err;
        EXPECT_EQ(ProfileCommand::run(c.args, path(QStringLiteral("settings.ini")), out, err), c.status) << err.toStdString();
        EXPECT_EQ(err.isEmpty(), c.status == 0);
        EXPECT_TRUE(c.status != 1 || (err.startsWith(c.errStart.toUtf8()) && err.count('\n') == 1)) << err.toStdString();
        QImage image(png);
        if (c.status != 0) {
            EXPECT_TRUE(image.isNull()); // left as it was
            continue;
        }
        EXPECT_EQ(image.size(), ProfileCommand::kPictureSize);
        EXPECT_TRUE(c.args[1] == QStringLiteral("1") || redPixels(image) > 100); // the curve
    }
}

// The profile data window: what it shows, the switches, and only the lists
// switched on replaced. The parsing rules are ProfileTextTest's.
TEST_F(ProfileWindowTest, DataWindowShowsTheListsAndReplacesThoseSwitchedOn)
{
    carnet->setDives({profiledDive(1, 4, 12, 0), dive(2, QStringLiteral("Lac"), 12, 30)});
    carnet->setSelection({0}, 0);
    ProfileDataWindow window(*carnet);
    EXPECT_EQ(QStringList({window.windowTitle(), window.textArea(0)->toPlainText(), window.countLabel(0)->text()}),
              QStringList({"Profile data of dive 1", "0.0\n10.4\n10.4\n0.0", carnet->profileInfo().counts[0]}));

    // "All" turns the seven switches on; a refresh turns them all off.
    const auto switches = [&] {
        QString on = window.allSwitch()->isChecked() ? QStringLiteral("all ") : QString();
        for (int i = 0; i < ProfileDataWindow::kListCount; ++i)
            on += window.replaceSwitch(i)->isChecked() ? u'1' : u'0';
        return on;
    };
    window.allSwitch()->setChecked(true);
    EXPECT_EQ(switches(), QStringLiteral("all 1111111"));
    window.refresh();
    EXPECT_EQ(switches(), QStringLiteral("0000000"));

    // A refused text is kept with its switch, the dive unchanged, the alert raised.
    const Plongee before = carnet->dives()[0];
    window.textArea(0)->setPlainText(QStringLiteral("0\n\n9\n0"));
    window.replaceSwitch(0)->setChecked(true);
    window.applyButton()->click();
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Profile line refused")});
    EXPECT_EQ(QStringList({window.textArea(0)->toPlainText(), switches()}), QStringList({"0\n\n9\n0", "1000000"}));
    EXPECT_TRUE(carnet->dives()[0].identical(before));

    window.textArea(0)->setPlainText(QStringLiteral("0\n6\n9\n0"));
    window.textArea(6)->setPlainText(QStringLiteral("1\n2\n3\n4")); // not switched on
    window.applyButton()->click();
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), (QList<float>{0, 6, 9, 0}));
    EXPECT_EQ(carnet->dives()[0].PRESS_Data()->first(), 200.0f);
    EXPECT_EQ(QStringList({window.textArea(0)->toPlainText(), switches()}), QStringList({"0.0\n6.0\n9.0\n0.0", "0000000"}));

    // Loading another dive fills the window again.
    carnet->setSelection({1}, 1);
    EXPECT_EQ(QStringList({window.windowTitle(), window.textArea(0)->toPlainText()}), QStringList({"Profile data of dive 2", ""}));
}
