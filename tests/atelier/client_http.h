// A tiny blocking HTTP/1.1 client for the workshop's tests: one request per
// connection, sent as written (so that a test can send what no browser
// would), the answer read until the server closes.
#pragma once

#include <map>
#include <string>
#include <utility>

struct RetourHttp {
    int statut = 0;
    std::map<std::string, std::string> entetes;  // lowercase names
    std::string corps;
};

// Sends `requete` (the whole text: request line, headers, blank line, body)
// to 127.0.0.1:`port`; statut 0 when the connection failed.
RetourHttp EnvoieBrut(int port, const std::string& requete);

// A request of the workshop's page: Host 127.0.0.1:PORT, the session cookie
// and the CSRF header when given, Content-Length of the body on writes.
struct Appel {
    std::string methode;
    std::string chemin;
    std::string corps;
    std::string cookie;       // value of "atelier"
    std::string csrf;
    std::string hote;         // empty: 127.0.0.1:PORT
    std::string origine;      // Origin, when not empty

    Appel(std::string m, std::string c, std::string b = "", std::string k = "", std::string x = "",
          std::string h = "", std::string o = "")
        : methode(std::move(m)), chemin(std::move(c)), corps(std::move(b)), cookie(std::move(k)), csrf(std::move(x)),
          hote(std::move(h)), origine(std::move(o)) {}
};
RetourHttp Envoie(int port, const Appel& appel);
