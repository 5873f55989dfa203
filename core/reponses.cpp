// The answers file: its bytes, its reading back, its place.
#include "reponses.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "classe.h"
#include "lecture.h"

namespace {

// The words of the file, in Windows-1252.
const std::string TITRE = "Questionnaire : ";
const std::string DEBUT = "D\xE9" "but : ";
const std::string QUESTION = "question ";
const std::string REPONSE = "r\xE9ponse ";
const std::string AUCUNE = "aucune r\xE9ponse";
const std::string JUSTE = "juste";
const std::string FAUSSE = "fausse";
const char* const MEDIAS[] = {"sans m\xE9" "dia", "m\xE9" "dia non ouvert", "m\xE9" "dia ouvert"};

std::string Ligne(const ReponseDonnee& r) {
    std::string l = QUESTION + std::to_string(r.question) + " : ";
    l += r.choix == 0 ? AUCUNE : REPONSE + std::to_string(r.choix);
    l += ", " + (r.juste ? JUSTE : FAUSSE) + ", " + std::to_string(r.secondes) + " s, ";
    return l + MEDIAS[static_cast<int>(r.media)] + "\n";
}

bool Commence(const std::string& l, const std::string& debut) { return l.compare(0, debut.size(), debut) == 0; }

// A whole number of 1 to 3 digits within [min, max].
bool Nombre(const std::string& t, int min, int max, int& valeur) {
    if (t.empty() || t.size() > 3 || t.find_first_not_of("0123456789") != std::string::npos) return false;
    valeur = std::stoi(t);
    return valeur >= min && valeur <= max;
}

// "JJ/MM/AAAA HH:MM:SS" with plausible values.
bool DateValide(const std::string& d) {
    if (d.size() != 19) return false;
    for (std::size_t k = 0; k < d.size(); ++k) {
        const char attendu = "00/00/0000 00:00:00"[k];
        if (attendu == '0' ? (d[k] < '0' || d[k] > '9') : d[k] != attendu) return false;
    }
    const int jour = std::stoi(d.substr(0, 2)), mois = std::stoi(d.substr(3, 2));
    const int heure = std::stoi(d.substr(11, 2)), minute = std::stoi(d.substr(14, 2));
    const int seconde = std::stoi(d.substr(17, 2));
    return jour >= 1 && jour <= 31 && mois >= 1 && mois <= 12 && heure < 24 && minute < 60 && seconde < 61;
}

// Splits "a, b, c" at each ", ".
std::vector<std::string> Champs(const std::string& t) {
    std::vector<std::string> champs;
    std::size_t debut = 0;
    for (std::size_t k = t.find(", "); k != std::string::npos; k = t.find(", ", debut)) {
        champs.push_back(t.substr(debut, k - debut));
        debut = k + 2;
    }
    champs.push_back(t.substr(debut));
    return champs;
}

// One question line; an empty reason when it is good.
std::string AnalyseLigne(const std::string& l, ReponseDonnee& r) {
    const std::size_t deux_points = l.find(" : ");
    if (!Commence(l, QUESTION) || deux_points == std::string::npos)
        return "une ligne « question N : … » est attendue";
    if (!Nombre(l.substr(QUESTION.size(), deux_points - QUESTION.size()), 1, MAX_QUESTIONS, r.question))
        return "numéro de question impossible (1 à " + std::to_string(MAX_QUESTIONS) + ")";
    const std::vector<std::string> c = Champs(l.substr(deux_points + 3));
    if (c.size() != 4) return "quatre indications sont attendues après « : »";
    if (c[0] == AUCUNE) {
        r.choix = 0;
    } else if (!Commence(c[0], REPONSE) || !Nombre(c[0].substr(REPONSE.size()), 1, 4, r.choix)) {
        return "réponse impossible (« réponse 1 » à « réponse 4 » ou « aucune réponse »)";
    }
    if (c[1] != JUSTE && c[1] != FAUSSE) return "« juste » ou « fausse » est attendu";
    r.juste = c[1] == JUSTE;
    if (r.juste && r.choix == 0) return "une question sans réponse ne peut pas être juste";
    const std::string& temps = c[2];
    if (temps.size() < 3 || temps.compare(temps.size() - 2, 2, " s") != 0 ||
        !Nombre(temps.substr(0, temps.size() - 2), 0, TEMPS_REPONSE_MAX, r.secondes))
        return "temps impossible (0 à " + std::to_string(TEMPS_REPONSE_MAX) + " secondes)";
    for (int m = 0; m < 3; ++m) {
        if (c[3] == MEDIAS[m]) {
            r.media = static_cast<MediaQuestion>(m);
            return "";
        }
    }
    return "« média ouvert », « média non ouvert » ou « sans média » est attendu";
}

LectureReponses Refus(int ligne, const std::string& raison) {
    LectureReponses r;
    r.ligne = ligne;
    r.raison = raison;
    return r;
}

}  // namespace

std::string TitreSurUneLigne(std::string titre) {
    std::replace(titre.begin(), titre.end(), '\r', ' ');
    std::replace(titre.begin(), titre.end(), '\n', ' ');
    return titre;
}

std::string TexteReponses(const FicheReponses& fiche) {
    std::string texte = TITRE + TitreSurUneLigne(fiche.titre) + "\n";
    texte += DEBUT + fiche.debut + "\n";
    for (const ReponseDonnee& r : fiche.reponses) texte += Ligne(r);
    return texte;
}

std::string DateDebut(long long secondes_epoque) {
    const std::time_t t = static_cast<std::time_t>(secondes_epoque);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char texte[32];
    std::strftime(texte, sizeof texte, "%d/%m/%Y %H:%M:%S", &local);
    return texte;
}

LectureReponses AnalyseReponses(const std::string& octets, FicheReponses& fiche) {
    if (octets.empty()) return Refus(0, "le fichier est vide");
    if (octets.back() != '\n') return Refus(0, "la dernière ligne n'a pas de fin : le fichier est coupé");
    FicheReponses lue;
    bool vue[MAX_QUESTIONS + 1] = {};
    int numero = 0;
    for (std::size_t debut = 0; debut < octets.size();) {
        const std::size_t fin = octets.find('\n', debut);
        std::string l = octets.substr(debut, fin - debut);
        debut = fin + 1;
        ++numero;
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (numero == 1) {
            if (!Commence(l, TITRE)) return Refus(1, "« Questionnaire : » est attendu");
            lue.titre = l.substr(TITRE.size());
        } else if (numero == 2) {
            if (!Commence(l, DEBUT) || !DateValide(l.substr(DEBUT.size())))
                return Refus(2, "« Début : JJ/MM/AAAA HH:MM:SS » est attendu");
            lue.debut = l.substr(DEBUT.size());
        } else if (!l.empty()) {  // a blank line added by hand is no harm
            ReponseDonnee r;
            r.ligne = numero;
            const std::string raison = AnalyseLigne(l, r);
            if (!raison.empty()) return Refus(numero, raison);
            if (vue[r.question]) return Refus(numero, "la question " + std::to_string(r.question) + " y est deux fois");
            vue[r.question] = true;
            lue.reponses.push_back(r);
        }
    }
    if (numero < 2) return Refus(numero, "le fichier s'arrête avant la ligne « Début : »");
    fiche = std::move(lue);
    LectureReponses r;
    r.lu = true;
    return r;
}

LectureReponses LitReponses(const std::string& chemin, FicheReponses& fiche) {
    std::string octets;
    const ResultatLecture lecture = LitFichierBorne(chemin, LIMITE_REPONSES, octets);
    if (!lecture) {
        LectureReponses r = Refus(0, lecture.message);
        r.absent = lecture.echec == EchecLecture::Absent;
        return r;
    }
    return AnalyseReponses(octets, fiche);
}

std::string DossierReponses(const std::string& donnees, const std::string& classe1252) {
    return DossierResultats(donnees, classe1252) + "//" + NOM_DOSSIER_REPONSES;
}

std::string CheminReponses(const std::string& donnees, const FicheResultats& fiche) {
    return DossierReponses(donnees, fiche.classe) + "//" + NomFichierResultats(fiche.nom, fiche.prenom);
}
