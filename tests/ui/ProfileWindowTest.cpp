#include "ui/ShellFixture.h"

#include "platform/context/Notifications.h"
#include "app/draw/DrawLayer.h"
#include "logbook/Carnet.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"
#include "profile/ProfileScene.h"
#include "app/draw/ProfileCommand.h"
#include "profile/draw/ProfilePainter.h"
#include "profile/ui/ProfileDataWindow.h"
#include "profile/ui/ProfileView.h"
#include "profile/ui/ProfileWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>
#include <numbers>

namespace {

using Scene = ProfileScene;

// A dive with the fields the windows show and no profile.
Plongee plainDive(int number, const QString& place)
{
    Plongee d;
    d.setNoPlongee(number);
    d.setLieu(place);
    d.setSite(QStringLiteral("Site %1").arg(number));
    d.setProfondeur(12);
    d.setTemps(30);
    return d;
}

// A dive with a profile of n samples down to `bottom` metres and back, the
// deepest sample in the middle.
Plongee profiledDive(int number, int samples, float bottom, int samplingRate)
{
    Plongee d = plainDive(number, QStringLiteral("Place %1").arg(number));
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

int countPixels(const QImage& image, const std::function<bool(QColor)>& matches)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool reddish(QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }

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
        carnet->setDives({profiledDive(1, 120, 18, 0), profiledDive(2, 61, 40, 3), plainDive(3, QStringLiteral("Lac"))});
    }
    void TearDown() override
    {
        carnet.reset();
        ShellFixture::TearDown();
    }

    std::unique_ptr<Carnet> carnet;
};

} // namespace

TEST_F(ProfileWindowTest, ShowsTheDiveOfTheForm)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({1}, 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Profile of dive 2"));
    EXPECT_EQ(window.locationLabel()->text(), QStringLiteral("Place 2 - Site 2 "));
    EXPECT_EQ(window.scene().sampleCount(), 61);
    EXPECT_DOUBLE_EQ(window.scene().depthRange(), 41);
    EXPECT_EQ(window.samplingRateBox()->currentData().toInt(), 3);
    EXPECT_EQ(window.scene().samplingPeriod(), 60);

    carnet->setSelection({0}, 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Profile of dive 1"));
    EXPECT_EQ(window.scene().sampleCount(), 120);
    EXPECT_EQ(window.samplingRateBox()->currentData().toInt(), 0);

    // A dive without a profile: one sample at the surface.
    carnet->setSelection({2}, 2);
    EXPECT_EQ(window.scene().sampleCount(), 1);
    EXPECT_DOUBLE_EQ(window.scene().depthRange(), 1);
}

TEST_F(ProfileWindowTest, ReadoutGivesWhatTheCurveShowsUnderThePointer)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({1}, 1); // 61 samples a minute apart, 40 m at sample 30
    window.show();
    window.view()->resize(900, 700);
    const Scene& scene = window.scene();
    const QTransform toWidget = ProfilePainter::canvasTransform(QRectF(window.view()->rect()));

    moveMouse(window.view(), toWidget.map(QPointF(scene.sampleX(30), scene.depthY(40))));
    EXPECT_EQ(window.readoutLabel()->text(), QStringLiteral("Depth: 40.0 m   Time: 30.0 min"));
    moveMouse(window.view(), toWidget.map(QPointF(scene.sampleX(0), Scene::kSurfaceY)));
    EXPECT_EQ(window.readoutLabel()->text(), QStringLiteral("Depth: 0.0 m   Time: 0.0 min"));
    moveMouse(window.view(), toWidget.map(QPointF(scene.sampleX(12), 60)));
    EXPECT_EQ(window.readoutLabel()->text(), QStringLiteral("Depth: -   Time: 12.0 min"));

    // Another sampling interval chosen here reads, and draws, another time.
    window.samplingRateBox()->setCurrentIndex(window.samplingRateBox()->findData(2)); // 30 s
    EXPECT_EQ(window.scene().samplingPeriod(), 30);
    moveMouse(window.view(), toWidget.map(QPointF(window.scene().sampleX(30), window.scene().depthY(40))));
    EXPECT_EQ(window.readoutLabel()->text(), QStringLiteral("Depth: 40.0 m   Time: 15.0 min"));
    // Refreshing the form keeps that choice; another dive brings its own.
    carnet->updateUI();
    EXPECT_EQ(window.scene().samplingPeriod(), 30);
    carnet->setSelection({0}, 0);
    EXPECT_EQ(window.scene().samplingPeriod(), 10);
}

TEST_F(ProfileWindowTest, RedrawsWhenAProfileSettingChanges)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({1}, 1);
    ASSERT_NE(window.scene().path(Scene::Role::Curve, Scene::Path::Op::Fill), nullptr);
    EXPECT_TRUE(window.scene().path(Scene::Role::PpO2Line)->lines.isEmpty());
    settings().setValue(QStringLiteral("fill plot"), false);
    settings().setValue(QStringLiteral("ppO2 line"), true);
    context->hub().post(notifications::profile);
    EXPECT_EQ(window.scene().path(Scene::Role::Curve, Scene::Path::Op::Fill), nullptr);
    // 32 % at 1.5 bar: 36.9 m, within a 40 m dive.
    EXPECT_FALSE(window.scene().path(Scene::Role::PpO2Line)->lines.isEmpty());
}

TEST_F(ProfileWindowTest, TheViewPaintsTheProfile)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({1}, 1);
    window.view()->resize(700, 620);
    const QImage shot = window.view()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(countPixels(shot, reddish), 50); // the curve
}

TEST_F(ProfileWindowTest, ExportsThePrintedPageAsPdf)
{
    ProfileWindow window(*carnet);
    carnet->setSelection({0}, 0);
    const QString file = path(QStringLiteral("profile.pdf"));
    const SaveResult saved = window.exportPdf(file);
    ASSERT_TRUE(saved.ok && saved.durable) << saved.error.toStdString();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
    const SaveResult refused = window.exportPdf(path(QStringLiteral("no/such/folder/p.pdf")));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.isEmpty());
}

TEST(ProfilePainter, FitsTheCanvasUprightAndCentred)
{
    const QTransform t = ProfilePainter::canvasTransform(QRectF(0, 0, 1400, 1240));
    EXPECT_EQ(t.map(QPointF(0, 0)), QPointF(0, 1240));
    EXPECT_EQ(t.map(QPointF(700, 620)), QPointF(1400, 0));
    // A wider target: the height decides, the drawing is centred across.
    const QTransform wide = ProfilePainter::canvasTransform(QRectF(0, 0, 1200, 620));
    EXPECT_EQ(wide.map(QPointF(0, 620)), QPointF(250, 0));
    EXPECT_EQ(wide.map(QPointF(700, 0)), QPointF(950, 620));
}

// The command line.
namespace {

class ProfileCommandTest : public ShellFixture {
protected:
    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        return ProfileCommand::run(args, path(QStringLiteral("settings.ini")), out, err);
    }
    QString logbook()
    {
        return writeLogbook(QStringLiteral("dives.ondrix"),
                            {profiledDive(1, 600, 30, 0), plainDive(2, QStringLiteral("Lac")), profiledDive(3, 7200, 60, 6)});
    }
    QByteArray out, err;
};

} // namespace

TEST_F(ProfileCommandTest, DrawsAPng)
{
    const QString book = logbook();
    for (const int row : {0, 1, 2}) {
        const QString png = path(QStringLiteral("row%1.png").arg(row));
        ASSERT_EQ(run({book, QString::number(row), QStringLiteral("--png"), png}), 0) << err.toStdString();
        EXPECT_TRUE(err.isEmpty());
        QImage image(png);
        ASSERT_FALSE(image.isNull()) << row;
        EXPECT_EQ(image.size(), ProfileCommand::kPictureSize);
        // The grey background and the red curve (a dive without a profile
        // has its curve along the surface).
        EXPECT_GT(countPixels(image, [](QColor c) { return c.red() == c.green() && c.green() == c.blue(); }), 1000);
        if (row != 1) {
            EXPECT_GT(countPixels(image, reddish), 100) << row;
        }
    }
}

TEST_F(ProfileCommandTest, RefusesABadRowAndLeavesTheFileAlone)
{
    const QString book = logbook();
    const QString png = path(QStringLiteral("kept.png"));
    ASSERT_TRUE(saveFileAtomically(png, "not touched").ok);
    for (const char* row : {"3", "-1", "99"}) {
        EXPECT_EQ(run({book, QLatin1String(row), QStringLiteral("--png"), png}), 1) << row;
        EXPECT_TRUE(err.startsWith(QStringLiteral("ondrix-cli: %1: row ").arg(book).toUtf8())) << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1);
    }
    QFile kept(png);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("not touched"));
    // Nothing is written for an unreadable logbook either.
    const QString missing = path(QStringLiteral("none.png"));
    EXPECT_EQ(run({path(QStringLiteral("missing.ondrix")), QStringLiteral("0"), QStringLiteral("--png"), missing}), 1);
    EXPECT_FALSE(QFile::exists(missing));
    // An output that cannot be written is refused under its own name.
    const QString bad = path(QStringLiteral("no/folder/p.png"));
    EXPECT_EQ(run({book, QStringLiteral("0"), QStringLiteral("--png"), bad}), 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("ondrix-cli: %1: ").arg(bad).toUtf8())) << err.toStdString();
}

TEST_F(ProfileCommandTest, UsageErrors)
{
    const QString book = logbook();
    const QString png = path(QStringLiteral("u.png"));
    const QList<QStringList> wrong = {
        {},
        {book},
        {book, QStringLiteral("0")},
        {book, QStringLiteral("0"), QStringLiteral("--png")},
        {book, QStringLiteral("zero"), QStringLiteral("--png"), png},
        {book, QStringLiteral("0"), QStringLiteral("--svg"), png},
        {book, QStringLiteral("0"), QStringLiteral("--png"), png, QStringLiteral("--pdf"), png},
        {book, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("--png"), png},
    };
    for (const QStringList& args : wrong) {
        EXPECT_EQ(run(args), 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(png));
}

// The profile data window.
TEST_F(ProfileWindowTest, DataWindowShowsTheListsAndReplacesThoseSwitchedOn)
{
    carnet->setDives({profiledDive(1, 4, 12, 0), plainDive(2, QStringLiteral("Lac"))});
    carnet->setSelection({0}, 0);
    ProfileDataWindow window(*carnet);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Profile data of dive 1"));
    EXPECT_EQ(window.textArea(0)->toPlainText(), QStringLiteral("0.0\n10.4\n10.4\n0.0"));
    EXPECT_EQ(window.textArea(5)->toPlainText(), QStringLiteral("1\n0\n0\n0"));
    EXPECT_EQ(window.textArea(1)->toPlainText(), QString()); // one element: no data
    EXPECT_EQ(window.countLabel(1)->text(), carnet->profileInfo().counts[1]);
    EXPECT_EQ(window.countLabel(0)->text(), carnet->profileInfo().counts[0]);

    // "All" turns the seven switches on.
    window.allSwitch()->setChecked(true);
    for (int i = 0; i < ProfileDataWindow::kListCount; ++i)
        EXPECT_TRUE(window.replaceSwitch(i)->isChecked()) << i;
    window.refresh();
    for (int i = 0; i < ProfileDataWindow::kListCount; ++i)
        EXPECT_FALSE(window.replaceSwitch(i)->isChecked()) << i;
    EXPECT_FALSE(window.allSwitch()->isChecked());

    // Only the lists switched on are replaced, and the dive is stored.
    window.textArea(0)->setPlainText(QStringLiteral("0\n6\n9\n0"));
    window.textArea(6)->setPlainText(QStringLiteral("1\n2\n3\n4"));
    window.replaceSwitch(0)->setChecked(true);
    window.applyButton()->click();
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), (QList<float>{0, 6, 9, 0}));
    EXPECT_EQ(carnet->dives()[0].PRESS_Data()->first(), 200.0f);
    EXPECT_EQ(window.textArea(0)->toPlainText(), QStringLiteral("0.0\n6.0\n9.0\n0.0"));
    EXPECT_FALSE(window.replaceSwitch(0)->isChecked());

    // Loading another dive fills the window again.
    carnet->setSelection({1}, 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Profile data of dive 2"));
    EXPECT_EQ(window.textArea(0)->toPlainText(), QString());
}

TEST_F(ProfileWindowTest, DataWindowKeepsARefusedText)
{
    carnet->setDives({profiledDive(1, 4, 12, 0)});
    carnet->setSelection({0}, 0);
    const Plongee before = carnet->dives()[0];
    const struct {
        int list;
        const char* text;
        const char* key;
        const char* says; // in the message, when the key is the line's
    } cases[] = {
        {1, "1\n0", "Profile lengths", ""},
        {0, "0\n\n9\n0", "Profile line refused", "The Depth (m) list cannot take its line 2 (\"\")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ProfileDataWindow window(*carnet);
        const qsizetype seen = alerts.asked().size();
        window.textArea(c.list)->setPlainText(QString::fromUtf8(c.text));
        window.replaceSwitch(c.list)->setChecked(true);
        window.applyButton()->click();
        ASSERT_EQ(alerts.asked().size(), seen + 1);
        const Alert& alert = alerts.asked().last();
        EXPECT_EQ(alert.key, QLatin1String(c.key));
        EXPECT_TRUE(alert.message.contains(QString::fromUtf8(c.says))) << alert.message.toStdString();
        EXPECT_EQ(window.textArea(c.list)->toPlainText(), QString::fromUtf8(c.text));
        EXPECT_TRUE(window.replaceSwitch(c.list)->isChecked());
        EXPECT_TRUE(carnet->dives()[0].identical(before));
    }
    // A decimal comma is a decimal separator.
    ProfileDataWindow window(*carnet);
    window.textArea(0)->setPlainText(QStringLiteral("0\n12,5\n9\n0"));
    window.replaceSwitch(0)->setChecked(true);
    window.applyButton()->click();
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), (QList<float>{0, 12.5f, 9, 0}));
}
