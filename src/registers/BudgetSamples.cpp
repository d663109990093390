#include "registers/BudgetSamples.h"

#include "registers/BudgetFields.h"

namespace budget {

QList<registers::SampleValues> samples()
{
    using registers::textsOf;
    QList<registers::SampleValues> s;
    s.append({prestation, textsOf({"Level 1 course", "Level 2 course", "Nitrox course", "Trimix course",
                                   "Rescue course", "10-dive pack", "Week-end at Port-Cros", "Red Sea liveaboard",
                                   "Night dive", "Wreck week in Malta", "Cave initiation", "Photo workshop",
                                   "Try dive for a child", "Rebreather crossover", "Club membership"})});
    s.append({quantite_0, {}, 1, 10});
    s.append({prixUnitaire_0, {}, 25, 950, 0.1});
    const QStringList supplements = textsOf({"Equipment rental", "Nitrox fills", "Boat transfer", "Insurance",
                                             "Lunch on board", "Certification card", "Torch rental",
                                             "Computer rental", "Hotel night", "Marine park fee"});
    for (int line = 1; line < kLines; ++line) {
        if (line < kLines - 1)
            s.append({supplementOf(line), supplements});
        s.append({quantityOf(line), {}, 0, 6});
        s.append({unitPriceOf(line), {}, 3, 85, 0.5});
    }
    for (int card = 1; card <= kCards; ++card) {
        s.append({cardUnitsOf(card), {}, 5.0 * card, 12.0 * card});
        s.append({cardPriceOf(card), {}, 90.0 * card, 260.0 * card, 0.1});
    }
    s.append({entreprise, textsOf({"Plongée Passion", "Blue Lagoon Divers", "Centre Nautique de Cassis",
                                   "Aqua Sud", "Deep Blue Malta", "Les Calanques Plongée", "Red Sea Explorers",
                                   "Club Subaquatique Lyonnais", "Oceanide", "Atlantique Plongée"})});
    s.append({miseAJour, {}, 2018, 2026});
    s.append({notes, textsOf({"Prices include the tank and weights.", "Deposit of 30% on booking.",
                              "Ask for the group rate from six divers.",
                              "Cancellation free until a week before.\nBoat leaves at 8:30.",
                              "Equipment can be hired on site.", "Offer valid until the end of the season."})});
    return s;
}

} // namespace budget
