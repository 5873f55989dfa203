#include "serveur.h"

#include <cstring>
#include <memory>

#include <microhttpd.h>

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

#include "garde.h"
#include "routes.h"

namespace {

// One request while its body comes in.
struct EnCours {
    Requete requete;
    const Route* route = nullptr;
    long long annonce = -1;
    bool trop = false;  // more bytes came than announced
    bool arret = false;  // stop the workshop once the answer is sent
};

// The headers the guard and the handlers read.
const char* const ENTETES_LUS[] = {"Host", "Origin", "X-Atelier-CSRF", "Content-Type", "If-None-Match"};

std::string Valeur(MHD_Connection* c, MHD_ValueKind genre, const char* nom) {
    const char* v = MHD_lookup_connection_value(c, genre, nom);
    return v ? v : "";
}

MHD_Result AjouteParametre(void* cls, MHD_ValueKind, const char* cle, const char* valeur) {
    if (cle) (*static_cast<std::map<std::string, std::string>*>(cls))[cle] = valeur ? valeur : "";
    return MHD_YES;
}

// The announced length, -1 when none or not a number.
long long LongueurAnnoncee(MHD_Connection* c) {
    const std::string t = Valeur(c, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
    if (t.empty() || t.size() > 18 || t.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoll(t);
}

Requete LitEntetes(MHD_Connection* c, const char* url, const char* methode) {
    Requete r;
    r.methode = methode;
    r.chemin = url;
    for (const char* nom : ENTETES_LUS) {
        const std::string v = Valeur(c, MHD_HEADER_KIND, nom);
        if (v.empty()) continue;
        std::string bas = nom;
        for (char& ch : bas) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        r.entetes[bas] = v;
    }
    r.cookie = Valeur(c, MHD_COOKIE_KIND, "atelier");
    MHD_get_connection_values(c, MHD_GET_ARGUMENT_KIND, &AjouteParametre, &r.parametres);
    return r;
}

MHD_Result Envoie(MHD_Connection* c, Reponse reponse, bool api) {
    EntetesDeSecurite(reponse, api);
    MHD_Response* m = MHD_create_response_from_buffer(reponse.corps.size(), reponse.corps.data(), MHD_RESPMEM_MUST_COPY);
    if (!m) return MHD_NO;
    MHD_add_response_header(m, MHD_HTTP_HEADER_CONTENT_TYPE, reponse.type.c_str());
    for (const auto& [nom, valeur] : reponse.entetes) MHD_add_response_header(m, nom.c_str(), valeur.c_str());
    const MHD_Result r = MHD_queue_response(c, static_cast<unsigned>(reponse.statut), m);
    MHD_destroy_response(m);
    return r;
}

bool EstApi(const std::string& chemin) { return chemin.compare(0, 5, "/api/") == 0; }

// The first call: the headers are in, the body is not read yet. The guard
// decides now, so that a refused body is never read.
MHD_Result Accueille(Atelier& atelier, MHD_Connection* c, const char* url, const char* methode, void** etat) {
    NoteActivite(atelier.vie);
    auto encours = std::make_unique<EnCours>();
    encours->requete = LitEntetes(c, url, methode);
    encours->annonce = LongueurAnnoncee(c);
    bool connu = false;
    const std::string m = encours->requete.methode == "HEAD" ? "GET" : encours->requete.methode;
    encours->route = TrouveRoute(m, encours->requete.chemin, encours->requete.reste, connu);
    if (std::optional<Reponse> refus = Garde(atelier, encours->requete, encours->route, connu, encours->annonce))
        return Envoie(c, std::move(*refus), EstApi(encours->requete.chemin));
    if (encours->annonce > 0) encours->requete.corps.reserve(static_cast<std::size_t>(encours->annonce));
    *etat = encours.release();
    return MHD_YES;
}

MHD_Result Repond(void* cls, MHD_Connection* c, const char* url, const char* methode, const char*,
                  const char* donnees, size_t* taille, void** etat) {
    Atelier& atelier = *static_cast<Atelier*>(cls);
    if (!*etat) return Accueille(atelier, c, url, methode, etat);
    EnCours& e = *static_cast<EnCours*>(*etat);
    if (*taille > 0) {
        if (e.annonce < 0 || e.requete.corps.size() + *taille > static_cast<std::size_t>(e.annonce)) e.trop = true;
        else e.requete.corps.append(donnees, *taille);
        *taille = 0;
        return MHD_YES;
    }
    const bool api = EstApi(e.requete.chemin);
    if (e.trop) return Envoie(c, Refus(400, "Le corps de la requête dépasse sa taille annoncée."), api);
    Reponse reponse;
    try {
        reponse = e.route->gestionnaire(atelier, e.requete);
    } catch (const std::exception&) {
        // A malformed JSON body, chiefly: the request's fault, never a crash.
        reponse = Refus(400, "Requête mal formée.");
    }
    e.arret = reponse.arret_apres;
    return Envoie(c, std::move(reponse), api);
}

void Termine(void* cls, MHD_Connection*, void** etat, MHD_RequestTerminationCode) {
    if (*etat && static_cast<EnCours*>(*etat)->arret) DemandeArret(static_cast<Atelier*>(cls)->vie);
    delete static_cast<EnCours*>(*etat);
    *etat = nullptr;
}

}  // namespace

void NoteActivite(Vie& vie) {
    std::lock_guard<std::mutex> garde(vie.verrou);
    vie.derniere = std::chrono::steady_clock::now();
}

void DemandeArret(Vie& vie) {
    {
        std::lock_guard<std::mutex> garde(vie.verrou);
        vie.arret = true;
    }
    vie.reveil.notify_all();
}

bool Serveur::Demarre(Atelier& atelier, int port, std::string& erreur) {
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_port = htons(static_cast<uint16_t>(port));
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    daemon_ = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_AUTO, static_cast<uint16_t>(port),
                               nullptr, nullptr, &Repond, &atelier,
                               MHD_OPTION_SOCK_ADDR, reinterpret_cast<sockaddr*>(&adresse),
                               MHD_OPTION_NOTIFY_COMPLETED, &Termine, &atelier,
                               MHD_OPTION_CONNECTION_TIMEOUT, 60u,
                               MHD_OPTION_CONNECTION_LIMIT, 64u, MHD_OPTION_END);
    if (!daemon_) return erreur = "impossible d'écouter sur 127.0.0.1:" + std::to_string(port) + " (port déjà pris ?)", false;
    const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
    atelier.port = info ? info->port : port;
    return true;
}

void Serveur::Arrete() {
    if (daemon_) MHD_stop_daemon(daemon_);
    daemon_ = nullptr;
}

Serveur::~Serveur() { Arrete(); }
