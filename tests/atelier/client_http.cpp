#include "client_http.h"

#include <cctype>

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
using Prise = SOCKET;
inline void FermePrise(Prise p) { closesocket(p); }
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using Prise = int;
inline void FermePrise(Prise p) { close(p); }
#endif

namespace {

RetourHttp Analyse(const std::string& brut) {
    RetourHttp r;
    const std::size_t fin = brut.find("\r\n\r\n");
    if (brut.compare(0, 5, "HTTP/") != 0 || fin == std::string::npos) return r;
    r.statut = std::stoi(brut.substr(brut.find(' ') + 1, 3));
    std::size_t k = brut.find("\r\n") + 2;
    while (k < fin) {
        const std::size_t e = brut.find("\r\n", k);
        const std::string ligne = brut.substr(k, e - k);
        const std::size_t deux = ligne.find(':');
        std::string nom = ligne.substr(0, deux);
        for (char& c : nom) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (deux != std::string::npos) r.entetes[nom] = ligne.substr(ligne.find_first_not_of(' ', deux + 1));
        k = e + 2;
    }
    r.corps = brut.substr(fin + 4);
    return r;
}

}  // namespace

RetourHttp EnvoieBrut(int port, const std::string& requete) {
#if defined(_WIN32)
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
#endif
    const Prise p = socket(AF_INET, SOCK_STREAM, 0);
    // A server that waits for a body it should have refused fails the test
    // instead of hanging it.
#if defined(_WIN32)
    const DWORD attente = 10000;
#else
    const timeval attente{10, 0};
#endif
    setsockopt(p, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&attente), sizeof attente);
    // And a body the server stopped reading cannot block the sender either
    // (Windows keeps such a connection open until the answer is read).
    setsockopt(p, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&attente), sizeof attente);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_port = htons(static_cast<uint16_t>(port));
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(p, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0) return FermePrise(p), RetourHttp{};
    for (std::size_t envoye = 0; envoye < requete.size();) {
        // A body refused unread closes the connection under the sender: an
        // error to stop at and read the answer, not a SIGPIPE.
#if defined(MSG_NOSIGNAL)
        const auto n = send(p, requete.data() + envoye, static_cast<int>(requete.size() - envoye), MSG_NOSIGNAL);
#else
        const auto n = send(p, requete.data() + envoye, static_cast<int>(requete.size() - envoye), 0);
#endif
        if (n <= 0) break;
        envoye += static_cast<std::size_t>(n);
    }
    std::string brut;
    char tampon[65536];
    for (;;) {
        const auto n = recv(p, tampon, sizeof tampon, 0);
        if (n <= 0) break;
        brut.append(tampon, static_cast<std::size_t>(n));
    }
    FermePrise(p);
    return Analyse(brut);
}

RetourHttp Envoie(int port, const Appel& a) {
    std::string r = a.methode + " " + a.chemin + " HTTP/1.1\r\nHost: " +
                    (a.hote.empty() ? "127.0.0.1:" + std::to_string(port) : a.hote) + "\r\nConnection: close\r\n";
    if (!a.cookie.empty()) r += "Cookie: atelier=" + a.cookie + "\r\n";
    if (!a.csrf.empty()) r += "X-Atelier-CSRF: " + a.csrf + "\r\n";
    if (!a.origine.empty()) r += "Origin: " + a.origine + "\r\n";
    if (a.methode != "GET" && a.methode != "HEAD") r += "Content-Length: " + std::to_string(a.corps.size()) + "\r\n";
    return EnvoieBrut(port, r + "\r\n" + a.corps);
}
