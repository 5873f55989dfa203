// « Importer »: a GIFT or Aiken export read by the tool's importers, shown
// as questions of the quiz; nothing is written.
#include "fichiers.h"
#include "operations.h"
#include "quiz_json.h"
#include "ressources.h"

Reponse PostImport(Atelier&, const Requete& r) {
    const std::string format = r.Parametre("format");
    if (format != "gift" && format != "aiken") return Refus(400, "Format d'import inconnu : gift ou aiken.");
    const Importation imp = ImporteExport(format, r.corps, "import");
    Json refus = Json::array(), diagnostics = Json::array();
    for (const Diagnostic& d : imp.diagnostics) {
        if (d.message.rfind("question non reprise", 0) == 0 || !imp.lisible)
            refus.push_back({{"ligne", d.ligne}, {"raison", d.message}});
        else
            diagnostics.push_back(DiagnosticJson(d, ""));
    }
    if (!imp.lisible) return EnJson({{"erreur", "Fichier refusé pour son codage."}, {"diagnostics", diagnostics}, {"refus", refus}}, 422);
    std::string clair;
    std::vector<Diagnostic> conversion;
    TexteClairQuizz(imp.texte, "import", Codage::Utf8, clair, conversion);
    for (const Diagnostic& d : conversion) refus.push_back({{"ligne", d.ligne}, {"raison", d.message}});
    Json questions = QuizzJson(clair).at("questions");
    return EnJson({{"questions", questions}, {"refus", refus}, {"diagnostics", diagnostics}});
}
