#include "registers/CompresseurSamples.h"

#include "registers/CompresseurFields.h"

namespace compresseur {

QList<registers::SampleValues> samples()
{
    using registers::SampleValues;
    constexpr int kMachine = 1;
    QList<SampleValues> s;
    s.append({marque, {QStringLiteral("Bauer"), QStringLiteral("Coltri"), QStringLiteral("Nardi"),
                       QStringLiteral("Aerotecnica"), QStringLiteral("L&W"), QStringLiteral("Bauer")},
              0, 0, 1, kMachine});
    s.append({modele, {QStringLiteral("Mariner 320"), QStringLiteral("MCH 13"), QStringLiteral("Pacific M"),
                       QStringLiteral("MX 18"), QStringLiteral("LW 280"), QStringLiteral("Junior II")},
              0, 0, 1, kMachine});
    s.append({cumulTemps, {QStringLiteral("125 h"), QStringLiteral("480 h"), QStringLiteral("1 020 h"),
                           QStringLiteral("1 655 h"), QStringLiteral("2 310 h"), QStringLiteral("3 004 h"),
                           QStringLiteral("64 h 30"), QStringLiteral("812 h 15")}});
    s.append({date, {}, 2012, 2025});
    s.append({anHuile, {}, 0, 0.5, 0.01});
    s.append({anCO2, {}, 150, 500, 10});
    s.append({anCO, {}, 0, 15, 0.5});
    s.append({anH2O, {}, 5, 60, 1});
    s.append({notes, {QStringLiteral("Oil level checked before the season."),
                      QStringLiteral("Condensate drain valve replaced."),
                      QStringLiteral("Belt tension adjusted; slight oil leak on the second stage."),
                      QStringLiteral("Analysis by the regional laboratory.\nCertificate filed."),
                      QStringLiteral("Filling panel pressure gauge recalibrated."),
                      QStringLiteral("Noisy at start-up in the cold: to watch.")}});
    return s;
}

} // namespace compresseur
