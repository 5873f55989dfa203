// The one wait of every screen: until a key or a mouse button (or both)
// ends it, with the screen's own work done at each pass.
#pragma once

#include <functional>

// What the keys do during a wait.
enum class Touches {
    Finissent,  // a key ends the wait and is taken from the buffer
    Restent,    // a key ends the wait and stays in the buffer for the screen
    Jetees,     // keys are thrown away (the screen refreshed)
    Ignorees,   // keys are left alone in the buffer
};

// What a wait watches and does meanwhile.
struct Attente {
    Touches touches = Touches::Finissent;
    bool boutons = true;  // a mouse button going down ends the wait
    // A button already down when the wait starts (the click that opened the
    // screen, most often) counts only once released and pressed again.
    bool boutonTenu = false;
    bool relache = false;  // after the ending button, waits for its release (keys thrown away)
    // The screen's work at each pass (a GIF frame, a sound fed); returns true
    // when it ends the wait itself.
    std::function<bool()> passe;
};

// How a wait ended.
struct Reveil {
    int touche = -1;         // the key's code (Touches::Finissent); -1 otherwise
    bool parTouche = false;  // a key ended it
    int bouton = 0;          // the buttons down, when a mouse button ended it
    bool tenu = false;       // a button is still counted as held: for the next wait's boutonTenu
};

// Polls the keyboard and the mouse until what `a` watches happens; the
// polls sleep between two events, so a wait costs no CPU.
Reveil Attend(const Attente& a);

// Waits for a key, mouse buttons ignored; returns its code.
int AttendTouche();

// Waits for one whole click (pressed then released) of any button, keys
// thrown away; returns the buttons that were down.
int AttendClic();

// Waits for a mouse button going down, keys left in the buffer for the
// screens that follow; returns the buttons down. `tenu` carries a button
// still held from one call to the next (false before the first), so that
// one press counts once.
int AttendAppui(bool& tenu);
