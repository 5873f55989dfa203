// The handlers of the workshop's resources (API.md), one file per resource.
// Each is short: read the request, call an operation of teacher/ or core/,
// render its record.
#pragma once

#include "atelier.h"
#include "http.h"

// session.cpp: the token exchange and the pages, the session, presence, closing.
Reponse GetRacine(Atelier& a, const Requete& r);
Reponse GetPage(Atelier& a, const Requete& r);
Reponse GetSession(Atelier& a, const Requete& r);
Reponse PostPresent(Atelier& a, const Requete& r);
Reponse PostFermer(Atelier& a, const Requete& r);
// accueil.cpp: the folder, what check finds; choosing or making the folder.
Reponse GetAccueil(Atelier& a, const Requete& r);
Reponse PostDossier(Atelier& a, const Requete& r);
// reglages.cpp, eleves.cpp: the settings of the two groups, the pupil list.
Reponse GetReglages(Atelier& a, const Requete& r);
Reponse PutReglages(Atelier& a, const Requete& r);
Reponse GetClasse(Atelier& a, const Requete& r);
Reponse PutClasse(Atelier& a, const Requete& r);
// quiz.cpp, apercu.cpp, import.cpp: the quiz, one question drawn, an export read.
Reponse GetQuiz(Atelier& a, const Requete& r);
Reponse PutQuiz(Atelier& a, const Requete& r);
Reponse PostApercu(Atelier& a, const Requete& r);
Reponse PostImport(Atelier& a, const Requete& r);
// medias.cpp: the quiz's pictures, sounds and videos.
Reponse GetMedias(Atelier& a, const Requete& r);
Reponse GetMedia(Atelier& a, const Requete& r);
Reponse PostMedia(Atelier& a, const Requete& r);
// resultats.cpp: the class's results, its exports, « Rejouer ».
Reponse GetResultats(Atelier& a, const Requete& r);
Reponse GetResultatsCsv(Atelier& a, const Requete& r);
Reponse GetResultatsHtml(Atelier& a, const Requete& r);
Reponse PostRejouer(Atelier& a, const Requete& r);

// The answer of a file resource asked for before a folder is chosen.
Reponse SansDossier();
