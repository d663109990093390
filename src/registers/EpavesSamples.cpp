#include "registers/EpavesSamples.h"

#include "registers/EpavesFields.h"

namespace epaves {

namespace {

constexpr int kPlace = 1;

QStringList portNames()
{
    return registers::textsOf({"Marseille", "Toulon", "Le Havre", "Liverpool", "Hamburg", "Genoa", "Alexandria", "Piraeus",
                  "Rotterdam", "Oran", "Bordeaux", "Glasgow"});
}

} // namespace

QList<registers::SampleValues> samples()
{
    using registers::SampleValues;
    QList<SampleValues> s;
    s.append({nom, registers::textsOf({"Le Liban", "Donator", "Grec", "Rozi", "Thistlegorm", "Um El Faroud", "Togo",
                          "Chaouen", "Ville de Grasse", "Prosper Schiaffino", "Sagona", "Alice Robert",
                          "Dalton", "Arroyo", "Michel C", "Saint-Dominique", "Chrétienne K", "Hilma Hooker",
                          "SMS Cöln", "Kingston", "Carnatic", "Giannis D", "Spahis", "Saint-Louis",
                          "Drôme", "Ker Bihan", "Espingole", "Alcyon", "Pollux", "Saumon"})});
    s.append({type, registers::textsOf({"Cargo", "Tanker", "Trawler", "Liner", "Tug", "Submarine", "Destroyer",
                           "Sailing ship", "Barge", "Minesweeper", "Patrol boat", "Ferry"})});
    s.append({immatriculation, registers::textsOf({"IMO 5012345", "IMO 5198210", "MA 1123", "TL 420", "LH 3871", "Lloyd's 14223",
                                      "GR 8812", "BR 2210", "IMO 7320118", "CH 552"})});
    s.append({nationalite, registers::textsOf({"French", "British", "German", "Italian", "Greek", "Egyptian", "Maltese",
                                  "Norwegian", "Dutch", "American", "Spanish"})});
    s.append({longueur, {}, 12, 180, 0.5});
    s.append({largeur, {}, 4, 24, 0.1});
    s.append({jauge, {}, 40, 12000});
    s.append({dateConstruction, {}, 1860, 1965, 1, 0, true});
    s.append({lieuConstruction, registers::textsOf({"Glasgow", "Belfast", "Saint-Nazaire", "Le Havre", "Newcastle",
                                       "Hamburg", "Genoa", "Trieste", "Rotterdam", "Toulon", "La Seyne"})});
    s.append({dateNaufrage, {}, 1, 60, 1, 0, true, dateConstruction});
    s.append({causeNaufrage, registers::textsOf({"Storm", "Collision", "Torpedo", "Mine", "Fire", "Ran aground", "Scuttled",
                                    "Bombing", "Leak", "Shifted cargo"})});
    s.append({pointHaut, {}, 3, 38, 0.5});
    s.append({pointBas, {}, 2, 30, 0.5, 0, false, pointHaut});
    s.append({orientation, {}, 0, 359});
    s.append({dateVisite, {}, 1998, 2025});
    s.append({lieu, registers::textsOf({"Marseille", "Porquerolles", "Hyères", "Saint-Raphaël", "Hurghada", "Sharm el-Sheikh",
                           "Malta", "Scapa Flow", "Bonaire", "Brest", "Dunkerque", "Ajaccio"}),
              0, 0, 1, kPlace});
    s.append({site, registers::textsOf({"Île Maïre", "Pointe du Lequin", "Pointe de la Croix", "Cap Dramont", "Abu Nuhas",
                           "Shaab Ali", "Cirkewwa", "Cava", "Kralendijk", "Goulet de Brest", "Bancs de Flandre",
                           "Îles Sanguinaires"}),
              0, 0, 1, kPlace});
    s.append({pays, registers::textsOf({"France", "France", "France", "France", "Egypt", "Egypt", "Malta", "United Kingdom",
                           "Netherlands", "France", "France", "France"}),
              0, 0, 1, kPlace});
    s.append({gps, registers::textsOf({"43°12.660' N 005°20.440' E", "42°59.250' N 006°15.380' E", "43°00.900' N 006°12.070' E",
                          "43°24.960' N 006°51.250' E", "27°34.800' N 033°55.200' E", "27°48.850' N 033°55.300' E",
                          "35°59.200' N 014°19.700' E", "58°53.400' N 003°10.400' W", "12°09.600' N 068°17.100' W",
                          "48°20.100' N 004°36.800' W", "51°05.000' N 002°20.000' E", "41°52.800' N 008°35.900' E"}),
              0, 0, 1, kPlace});
    for (const int bearing : {relevement1, relevement2, relevement3})
        s.append({bearing, registers::textsOf({"Lighthouse 045°", "Church tower 312°", "Cape 180°", "Water tower 270°",
                                  "Semaphore 128°", "Island summit 004°", "Harbour light 220°", "Radio mast 097°",
                                  "Fort 156°", "Chapel 338°"})});
    s.append({notes, registers::textsOf({"Bow upright, stern broken off. Congers in the boilers.",
                            "Strong current on the top; go down the line.",
                            "Good visibility in autumn. Lobsters under the hull.\nMooring buoy in summer.",
                            "Penetration of the holds for trained divers only.",
                            "Nets caught on the wreck: carry a knife.",
                            "Fine gorgonians on the deck, a school of barracudas.",
                            "Cold thermocline at 20 m; dive at slack water.",
                            "Ammunition still in the hold: touch nothing."})});
    s.append({typeMachine, registers::textsOf({"Triple expansion steam engine", "Six-cylinder diesel", "Two-stroke diesel",
                                  "Steam turbine", "Diesel-electric", "Compound steam engine", "None"})});
    s.append({puissance, registers::textsOf({"1200 hp", "850 hp", "2500 hp", "400 hp", "3200 kW", "180 hp", "6000 hp"})});
    s.append({natureFond, registers::textsOf({"Sand", "Mud", "Rock", "Posidonia", "Gravel", "Coral", "Shingle"})});
    s.append({nomsPrecedents, registers::textsOf({"Empire Star", "Marie-Louise", "Nordstern", "Santa Lucia", "Ville d'Oran",
                                     "Aurora", "Saint-Pierre", "Kapitän Hansen"})});
    s.append({armateur, registers::textsOf({"Compagnie Fraissinet", "Messageries Maritimes", "Blue Funnel Line", "Hamburg-Süd",
                               "Compagnie Paquet", "Ellerman Lines", "Société Navale Caennaise",
                               "Compagnie de Navigation Mixte"})});
    s.append({ports, portNames()});
    s.append({capitaine, registers::textsOf({"Jean Martin", "William Ellis", "Hans Becker", "Giuseppe Ferri", "Yannick Le Gall",
                                "Nikos Papadakis", "Pierre Roux", "Unknown"})});
    s.append({equipage, registers::textsOf({"8", "12", "24 men", "35", "47 men", "19", "110 and 300 passengers"})});
    s.append({chargement, registers::textsOf({"Coal", "Wine", "Trucks and motorcycles", "Cement", "Passengers and mail",
                                 "Timber", "Ballast", "Ammunition", "Grain", "Oranges"})});
    s.append({provenance, portNames()});
    s.append({destination, portNames()});
    s.append({miseAJour, {}, 2015, 2025});
    return s;
}

} // namespace epaves
