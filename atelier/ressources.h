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

// The answer of a file resource asked for before a folder is chosen.
Reponse SansDossier();
