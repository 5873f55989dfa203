// Name entry: the pupil types his surname and first name.
#pragma once

#include "etat.h"

// Shows the class's theme and rules, reads both names, offers to restart or
// to confirm; returns with the pupil's record and its display copies set.
void SaisieInfos(const Reglages& classe, const Ecran& vue, Eleve& eleve);

// The characters a name may hold: printable, and none that a file name
// cannot hold (/ \ : * ? " < > |). 1 accepted, 0 refused.
int CaractereNomAccepte(int ch);
