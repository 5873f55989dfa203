// The class settings file and the pupil list.
//
// A text line of the settings longer than its limit is cut to it, and the
// rest of the line is dropped: it never runs into the next setting. A number
// line that is not a number of at most 3 digits, or a value the quiz cannot
// play, refuses the file with a reason that names the file, the line and the
// problem.
#include "classe.h"

#include "encodage.h"
#include "lecture.h"
#include "nombres.h"

namespace {

std::string FinPrematuree(const std::string& nom, std::size_t lignes) {
    if (lignes == 0)
        return "Le fichier de réglages de la classe " + nom +
               " est vide : il doit avoir 8 lignes.";
    return "Le fichier de réglages de la classe " + nom + " s'arrête à la ligne " +
           std::to_string(lignes) + " : il doit avoir 8 lignes.";
}

std::string HorsLimites(const std::string& nom, int ligne, const char* quoi, std::int64_t valeur,
                        int max) {
    return "Le fichier de réglages de la classe " + nom + ", ligne " + std::to_string(ligne) +
           " : " + quoi + " vaut " + std::to_string(valeur) + ", il doit aller de 1 à " +
           std::to_string(max) + ".";
}

// The reason of a refused encoding, naming the file and the place.
std::string RaisonCodage(const std::string& quoi, const RefusCodage& r) {
    return quoi + ", ligne " + std::to_string(r.ligne) + ", colonne " + std::to_string(r.colonne) + " : " +
           r.message + ".";
}

}  // namespace

bool ClasseEn1252(const std::string& octets, std::string& sortie, RefusCodage& refus) {
    const DecisionCodage decision = DecideCodage(octets);
    if (decision.faute) {
        refus = {decision.ligne, decision.colonne, MessageCodage(decision)};
        return false;
    }
    if (decision.codage == CodageTexte::Windows1252) {
        sortie = octets;
        return true;
    }
    std::vector<FauteUtf8> fautes;
    if (Utf8Vers1252(octets, sortie, fautes)) return true;
    refus = {fautes[0].ligne, fautes[0].colonne,
             "« " + fautes[0].caractere + " » n'existe pas dans les textes du jeu (Windows-1252) : "
             "remplacez-le par une lettre ou un signe courant"};
    return false;
}

std::vector<std::string> LignesDonnees(const std::string& octets) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    while (debut < octets.size()) {
        std::size_t fin = octets.find('\n', debut);
        if (fin == std::string::npos) fin = octets.size();
        std::size_t longueur = fin - debut;
        if (longueur > 0 && octets[fin - 1] == '\r') --longueur;
        lignes.push_back(octets.substr(debut, longueur));
        debut = fin + 1;
    }
    return lignes;
}

std::int64_t NombreDeTexte(const std::string& texte, int chiffres) {
    std::int64_t n = -1;
    if (!LitEntierStrict(texte.data(), texte.size(), chiffres, false, &n)) return -1;
    return n;
}

bool AnalyseReglages(const std::string& octets, const std::string& nom, FicheReglages& r,
                     std::string& raison) {
    std::string texte;
    RefusCodage refus;
    if (!ClasseEn1252(octets, texte, refus)) {
        raison = RaisonCodage("Le fichier de réglages de la classe " + nom, refus);
        return false;
    }
    const std::vector<std::string> l = LignesDonnees(texte);
    if (l.size() < 3) {
        raison = FinPrematuree(nom, l.size());
        return false;
    }
    r.questionnaire = l[0].substr(0, REGLAGE_TEXTE_MAX);
    r.theme = l[1].substr(0, REGLAGE_TEXTE_MAX);
    r.entete = l[2].substr(0, REGLAGE_TEXTE_MAX);
    std::int64_t n[5];
    for (int k = 0; k < 5; ++k) {
        if (l.size() <= static_cast<std::size_t>(3 + k)) {
            raison = FinPrematuree(nom, l.size());
            return false;
        }
        n[k] = NombreDeTexte(l[static_cast<std::size_t>(3 + k)], REGLAGE_CHIFFRES_MAX);
        if (n[k] < 0) {
            raison = "Le fichier de réglages de la classe " + nom + ", ligne " +
                     std::to_string(4 + k) + " : un nombre de 1 à 3 chiffres est attendu.";
            return false;
        }
    }
    if (n[1] < 1 || n[1] > MAX_QUESTIONS) {
        raison = HorsLimites(nom, 5, "le nombre de questions", n[1], MAX_QUESTIONS);
        return false;
    }
    if (n[4] < 1 || n[4] > TEMPS_REPONSE_MAX) {
        raison = HorsLimites(nom, 8, "le temps de réponse en secondes", n[4], TEMPS_REPONSE_MAX);
        return false;
    }
    // At most 3 digits each: every value fits an int.
    r.saisie = static_cast<int>(n[0]);
    r.questions = static_cast<int>(n[1]);
    r.attente1 = static_cast<int>(n[2]);
    r.attente2 = static_cast<int>(n[3]);
    r.temps = static_cast<int>(n[4]);
    return true;
}

bool LitFichierReglages(const std::string& chemin, FicheReglages& r, std::string& raison) {
    std::string octets;
    const ResultatLecture lu = LitFichierBorne(chemin, LIMITE_REGLAGES, octets);
    if (lu.echec == EchecLecture::Absent) {
        raison = "Le fichier de réglages de la classe " + chemin + " est introuvable ou illisible.";
        return false;
    }
    if (!lu) {
        raison = lu.message;
        return false;
    }
    return AnalyseReglages(octets, chemin, r, raison);
}

bool AnalyseListe(const std::string& octets, const std::string& nom, std::vector<FicheListe>& eleves,
                  std::string& raison) {
    eleves.clear();
    std::string texte;
    RefusCodage refus;
    if (!ClasseEn1252(octets, texte, refus)) {
        raison = RaisonCodage("La liste des élèves " + nom, refus);
        return false;
    }
    const std::vector<std::string> l = LignesDonnees(texte);
    const std::int64_t n = l.empty() ? -1 : NombreDeTexte(l[0], ELEVES_CHIFFRES_MAX);
    if (n < 1 || n > MAX_JOUEURS) {
        raison = "La liste des élèves " + nom + " doit commencer par le nombre d'élèves, de 1 à " +
                 std::to_string(MAX_JOUEURS) + ".";
        return false;
    }
    const std::size_t attendues = 1 + 3 * static_cast<std::size_t>(n);
    for (std::size_t k = 1; k < attendues; ++k) {
        if (k >= l.size()) {
            raison = "La liste des élèves " + nom + " annonce " + std::to_string(n) +
                     " élèves mais s'arrête à la ligne " + std::to_string(l.size()) +
                     " (3 lignes par élève : nom, prénom, classe).";
            return false;
        }
        if (l[k].size() > static_cast<std::size_t>(NOM_ELEVE_MAX)) {
            raison = "La liste des élèves " + nom + ", ligne " + std::to_string(k + 1) +
                     " : trop longue (" + std::to_string(NOM_ELEVE_MAX) + " caractères au plus).";
            return false;
        }
    }
    for (std::size_t k = 1; k < attendues; k += 3) eleves.push_back({l[k], l[k + 1], l[k + 2]});
    return true;
}

bool LitFichierListe(const std::string& chemin, std::vector<FicheListe>& eleves, std::string& raison) {
    eleves.clear();
    std::string octets;
    const ResultatLecture lu = LitFichierBorne(chemin, LIMITE_LISTE, octets);
    if (lu.echec == EchecLecture::Absent) {
        raison = "La liste des élèves " + chemin + " est introuvable ou illisible.";
        return false;
    }
    if (!lu) {
        raison = lu.message;
        return false;
    }
    return AnalyseListe(octets, chemin, eleves, raison);
}

std::string TexteReglages(const FicheReglages& r) {
    std::string t;
    for (const std::string* ligne : {&r.questionnaire, &r.theme, &r.entete}) t += *ligne + "\n";
    for (int n : {r.saisie, r.questions, r.attente1, r.attente2, r.temps}) t += std::to_string(n) + "\n";
    return t;
}

std::string TexteListe(const std::vector<FicheListe>& eleves) {
    std::string t = std::to_string(eleves.size()) + "\n";
    for (const FicheListe& e : eleves) t += e.nom + "\n" + e.prenom + "\n" + e.classe + "\n";
    return t;
}
