#include "registers/PapersSamples.h"

#include "registers/DiversDocsFields.h"

namespace diversdocs {

QList<registers::SampleValues> samples()
{
    using registers::textsOf;
    constexpr int kPaper = 1;
    QList<registers::SampleValues> s;
    // Every kind, the first one (attestation) included.
    s.append({type, {}, 0, 5});
    s.append({titre, textsOf({"Level 2 diver", "Nitrox diver", "Medical certificate", "Club licence",
                              "Liveaboard invoice", "Attestation of 50 dives", "Rescue diver", "Trimix diver",
                              "Insurance certificate", "Regulator service invoice", "Dive leader",
                              "First aid certificate"}),
              0, 0, 1, kPaper});
    s.append({emetteur, textsOf({"FFESSM", "PADI", "Dr Martin, sports doctor", "Club Subaquatique Lyonnais",
                                 "Red Sea Explorers", "Plongée Passion", "SSI", "TDI", "DAN Europe",
                                 "Aqua Sud workshop", "CMAS", "Red Cross"}),
              0, 0, 1, kPaper});
    s.append({date, {}, 2005, 2025});
    s.append({dateRenouvellement, {}, 2024, 2028});
    s.append({notes, textsOf({"Original in the dive bag.", "Renew a month before the trip.",
                              "Copy sent to the club.", "Paid by card.", "Keep with the logbook.",
                              "Scanned from the original.\nStamped by the club."})});
    return s;
}

} // namespace diversdocs
