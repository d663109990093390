#include "registers/MaterielSamples.h"

#include "registers/MaterielFields.h"

namespace materiel {

namespace {

constexpr int kPiece = 1;

} // namespace

QList<registers::SampleValues> samples()
{
    using registers::SampleValues;
    QList<SampleValues> s;
    s.append({matosNo, registers::textsOf({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "A-1", "A-2", "B-7"})});
    s.append({typeMatos, registers::textsOf({"Regulator", "Cylinder 12 l", "Wetsuit 7 mm", "Dive computer", "BCD", "Fins", "Mask",
                                "Drysuit", "Torch", "Cylinder 15 l", "Octopus", "Compass"}),
              0, 0, 1, kPiece});
    s.append({marqueMatos, registers::textsOf({"Aqualine", "Mares Nord", "Subsea", "Oceanis", "Blue Reef", "Roth Metal",
                                  "Hydrolux", "Cap Sud", "Deep Line", "Faber Acciai", "Lumen", "Nautik"}),
              0, 0, 1, kPiece});
    s.append({serieMatos, registers::textsOf({"SN 40312", "SN 88210", "AQ-5521", "0098-221", "BR 7731", "RM 12-4471", "HX 0042",
                                 "CS 3318", "DL 90-118", "FA 15/2231", "LU 774", "NK 6120"})});
    s.append({dateAchat, {}, 2004, 2025});
    s.append({quantiteMatos, {}, 1, 4});
    s.append({prixMatos, registers::textsOf({"89 €", "450 €", "1 290 €", "320 €", "35 €", "610 €", "129.90 €", "75 €", "2 100 €"})});
    s.append({lastRevision, {}, 2019, 2024});
    s.append({nextRevision, {}, 2024, 2028});
    s.append({firstRequalification, {}, 2005, 2020, 1, 0, true});
    s.append({nextRequalification, {}, 2025, 2030});
    s.append({noInspection, {}, 0, 1});
    s.append({noTIV, registers::textsOf({"TIV 2231", "TIV 0457", "TIV 1189", "TIV 3302", "TIV 0910"})});
    s.append({nomTIV, registers::textsOf({"Marc Durand", "Sophie Leroy", "Paul Garnier", "Anne Morel", "Luc Perrin"})});
    s.append({capaciteBloc, {}, 6, 18, 1});
    s.append({pressionService, {}, 200, 300, 30});
    s.append({pressionEpreuve, {}, 300, 450, 50});
    s.append({notesMatos, registers::textsOf({"Serviced before the summer.", "O-rings changed.", "Spare parts in the red box.",
                                 "Lent to the club for the season.", "Second stage free-flows when cold.",
                                 "Invoice kept with the logbook."})});
    s.append({equipState, {}, 0, 6});
    s.append({lieuAchatMatos, registers::textsOf({"Plongée Services", "Le Comptoir du Plongeur", "Aqua Shop", "Club Nautique",
                                     "Sub Marine Center", "Online"})});
    return s;
}

} // namespace materiel
