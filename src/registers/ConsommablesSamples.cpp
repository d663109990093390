#include "registers/ConsommablesSamples.h"

#include "registers/ConsommablesFields.h"

namespace consommables {

QList<registers::SampleValues> samples()
{
    using registers::SampleValues;
    using registers::textsOf;
    constexpr int kPart = 1;
    QList<SampleValues> s;
    s.append({reference, textsOf({"OR-2015", "OR-112", "BAT-AA", "BAT-CR123", "SIL-50", "SODA-5", "CLIP-9",
                                      "STRAP-M", "FIL-01", "LUB-O2"}),
              0, 0, 1, kPart});
    s.append({marque, textsOf({"Aqualine", "Subsea", "Varta", "Duracell", "Oceanis", "Sofnolime", "Nautik",
                                   "Blue Reef", "Hydrolux", "Christo-Lube"}),
              0, 0, 1, kPart});
    s.append({utilisation, textsOf({"Regulator first stage O-ring", "Cylinder valve O-ring", "Torch batteries",
                                        "Computer battery", "Silicone grease", "Rebreather absorbent",
                                        "Spare fin clips", "Mask strap", "Compressor filter cartridge",
                                        "Oxygen-safe lubricant"}),
              0, 0, 1, kPart});
    s.append({stock, {}, 0, 40, 0.5});
    s.append({reserve, {}, 0, 12, 1});
    s.append({rangement, textsOf({"Red box", "Workshop drawer 2", "Dive bag", "Club locker", "Garage shelf",
                                      "Save-a-dive kit"})});
    s.append({noInventaire, {}, 0, 1});
    s.append({dateInventaire, {}, 2018, 2025});
    s.append({notes, textsOf({"Order more before the season.", "Keep away from the sun.",
                                  "Check the use-by date.", "Bought in bulk with the club.", ""})});
    return s;
}

} // namespace consommables
