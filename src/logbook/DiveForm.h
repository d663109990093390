#pragma once

#include "logbook/DiveCalculations.h"
#include "logbook/Plongee.h"
#include "platform/Result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>

class AppContext;

// The dive edit form as a model: one control value per field of the dive
// (texts as typed, the tag of the chosen item, switches, dates), the
// working copy of the profile, and the values the form derives at each
// refresh. Widgets show it and type into it; adding, inserting, updating,
// renumbering, cell editing and every import build their dives through it,
// so every dive passes the same defaults, range rules and alerts.
class DiveForm {
public:
    enum class Control { None, Text, Choice, Switch, DateTime, Slider };

    struct WorkingProfile {
        QList<float> profilProfondeur;
        QList<qint16> ascFlag, slowFlag, surfFlag, ceilFlag, gazFlag;
        QList<float> pressData;
        int samplingRate = 0, pressDepart = 0, pressFin = 0;
        std::array<int, 5> eanLevels{}; // oxygen per cent of stop levels 1 to 5
    };

    // What a refresh derives from the control values.
    struct Derived {
        QString totalText;
        bool previousEnabled = false;
        bool nextEnabled = false;
        QString tank1Label, tank2Label, setpointLabel;
        bool flowEnabled = false;
        bool bailoutEnabled = false;
        bool o2Enabled = false;
        bool heEnabled = false;
        bool planningEnabled = false;
        bool poniesEnabled = false;
        QString temperatureUnit, depthUnit;
        QString gasSummary;
        QString title;
        // Profile summary of the working profile.
        float maxDepth = 0, averageDepth = 0;
        // Every sample a depth a dive can reach (old files may hold others).
        bool profileBounded = true;
        // A recorded, bounded profile gives the average depth; without one
        // there is no surface consumption.
        bool hasAverageDepth = false;
        QString depthSummaryText, samplingText, pointsText;
        int slowCount = 0, ceilCount = 0, gazCount = 0, surfCount = 0;
        // Pressure drops of tank 1 and 2, air consumption, oxygen.
        QString deltaPressure1Text, deltaPressure2Text;
        divecalc::Consumption consumption;
        QString consumptionText;
        float highestPpO2 = 0;
        double cnsPercent = 0;
        QString cnsText;
        // Additional cylinders 1 to 3, then bail-out cylinders 1 and 2.
        struct Cylinder {
            QString text;
            bool gaugeVisible = false;
            int gaugeMaximum = 0, gaugeValue = 0, gaugeTicks = 0;
        };
        std::array<Cylinder, 5> cylinders;
        std::array<QString, 3> ponyTitles;
        QString difficultyText;
    };

    explicit DiveForm(AppContext& context);

    static Control controlOf(int field);

    // Control values, by field index of the dive.
    QString text(int field) const { return m_texts[field]; }
    void setText(int field, const QString& text) { m_texts[field] = text; }
    int tag(int field) const { return m_tags[field]; }
    void setTag(int field, int tag) { m_tags[field] = tag; }
    bool isOn(int field) const { return m_switches[field]; }
    void setOn(int field, bool on) { m_switches[field] = on; }
    QDateTime dateTime(int field) const { return m_dates[field]; }
    void setDateTime(int field, const QDateTime& value) { m_dates[field] = value; }
    // Nitrogen per cent of tank 1 and 2: shown, never stored.
    QString nitrogenText(int tank) const { return m_nitrogen[tank == 2 ? 1 : 0]; }

    // Types a text into the control of a field, as the command line does:
    // choice fields and the difficulty take the tag, switches "1"/"0" (or
    // "on"/"off"), dates "YYYY-MM-DD[THH:MM[:SS]]" and times "HH:MM[:SS]".
    bool typeText(QStringView fieldName, const QString& text, QString* error = nullptr);

    WorkingProfile& workingProfile() { return m_profile; }
    const WorkingProfile& workingProfile() const { return m_profile; }

    // Blanks every control for a new dive; the bail-out cylinders and the
    // sampling interval keep what they showed.
    void blank();
    // Shows a dive.
    void load(const Plongee& dive);
    // How a refused dive is told: by an alert (the window, the command
    // line), or only by the returned reason (an import, which names the
    // dive's place in its file).
    enum class BuildMode { Alert, Quiet };

    // Builds a new dive from the controls by the store rules, writing the
    // corrected values back into the controls; raises the pressure, helium
    // and gas-sum alerts through the context's alert presenter. A number
    // field whose text holds no number, a date outside the years a logbook
    // holds, or a value no dive can have refuses the whole dive: nothing is
    // built and the controls stay as typed.
    Result<Plongee> build(BuildMode mode = BuildMode::Alert);

    // Converts the control of one field into `dive` by that field's own
    // store rule, leaving every other field as it is (a list cell edit).
    // Returns the reason when the value is refused; `dive` is then unchanged.
    std::optional<QString> storeField(int field, Plongee& dive);

    // Recomputes what the form derives. selectedRow and diveCount feed the
    // total text and the arrows.
    void refresh(int selectedRow, int diveCount);
    const Derived& derived() const { return m_derived; }

    // True when every control and the working profile hold the same values
    // as in the other form (derived values aside).
    bool sameValues(const DiveForm& other) const;

    // Gives each empty working profile list its one default element.
    void applyProfileDefaults();

private:
    QString localized(const char* key, const char* fallback = "error !") const;
    void warn(const char* key);
    void computeFigures();
    std::optional<double> typedNumber(int field, const QString& text, QString* refusal) const;
    bool refuse(const QString& message, BuildMode mode, QString* refusal);
    bool storeText(int field, QString& text, double number, Plongee& dive);
    // Applies the helium rules of every mix (or of the mix holding
    // onlyField); returns the alerts they call for.
    QList<const char*> checkHelium(std::array<QString, Plongee::FieldCount>& texts, Plongee& dive, int onlyField = -1);

    AppContext& m_context;
    std::array<QString, Plongee::FieldCount> m_texts;
    std::array<int, Plongee::FieldCount> m_tags{};
    std::array<bool, Plongee::FieldCount> m_switches{};
    std::array<QDateTime, Plongee::FieldCount> m_dates;
    std::array<QString, 2> m_nitrogen;
    WorkingProfile m_profile;
    Derived m_derived;
};
