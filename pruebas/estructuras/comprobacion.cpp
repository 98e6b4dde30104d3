#include "comprobacion.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <sstream>

#include "uArbolAVL.h"

namespace {

// One node of the text and its subtrees, written as records; false when the
// text has no node here. The flags are known only once the children are
// read: their records are gathered apart and follow this node's.
bool LeerNodo(const std::string& T, std::size_t& Pos, TEscritorFlujo& F, std::int32_t& Cuenta) {
    if (Pos >= T.size() || T[Pos] == ',' || T[Pos] == ')') return false;
    std::size_t usados = 0;
    const std::int32_t v = static_cast<std::int32_t>(std::stoll(T.substr(Pos), &usados));
    Pos += usados;
    ++Cuenta;
    std::vector<std::uint8_t> hijos;
    TEscritorFlujo fh(hijos);
    bool izq = false, der = false;
    if (Pos < T.size() && T[Pos] == '(') {
        izq = LeerNodo(T, ++Pos, fh, Cuenta);
        if (T.at(Pos++) != ',') throw std::invalid_argument("expected , in " + T);
        der = LeerNodo(T, Pos, fh, Cuenta);
        if (T.at(Pos++) != ')') throw std::invalid_argument("expected ) in " + T);
    }
    F.EscribirEntero(v);
    F.EscribirByte(izq ? 1 : 0);
    F.EscribirByte(der ? 1 : 0);
    for (std::uint8_t b : hijos) F.EscribirByte(b);
    return true;
}

void Escribir(const TNodoBin* n, std::string& s) {
    s += std::to_string(n->Valor);
    if (n->Izq == nullptr && n->Der == nullptr) return;
    s += '(';
    if (n->Izq != nullptr) Escribir(n->Izq, s);
    s += ',';
    if (n->Der != nullptr) Escribir(n->Der, s);
    s += ')';
}

std::string Opcional(std::optional<std::int32_t> V) { return V ? std::to_string(*V) : "-"; }
std::optional<std::int32_t> ValorDe(const TNodoBin* N) { return N ? std::optional(N->Valor) : std::nullopt; }
}  // namespace

std::vector<std::uint8_t> FlujoDe(const std::string& Texto) {
    std::vector<std::uint8_t> nodos, datos;
    TEscritorFlujo fn(nodos), f(datos);
    std::size_t pos = 0;
    std::int32_t cuenta = 0;
    LeerNodo(Texto, pos, fn, cuenta);
    if (pos != Texto.size()) throw std::invalid_argument("trailing text in " + Texto);
    f.EscribirEntero(cuenta);
    datos.insert(datos.end(), nodos.begin(), nodos.end());
    return datos;
}

void Construir(TArbolBin& A, const std::string& Texto) { A.Cargar(FlujoDe(Texto)); }

std::string Forma(const TArbolBin& A) {
    std::string s;
    if (A.Raiz != nullptr) Escribir(A.Raiz, s);
    return s;
}

std::vector<std::uint8_t> ConCuenta(std::vector<std::uint8_t> Datos, std::int32_t Cuenta) {
    std::vector<std::uint8_t> c;
    TEscritorFlujo(c).EscribirEntero(Cuenta);
    std::copy(c.begin(), c.end(), Datos.begin());
    return Datos;
}

std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores) {
    std::vector<std::uint8_t> c;
    for (std::size_t i = 0; i < Colores.size(); ++i) {
        if (Colores[i] == '[') {
            const std::size_t fin = Colores.find(']', i);
            c.push_back(static_cast<std::uint8_t>(std::stoi(Colores.substr(i + 1, fin - i - 1))));
            i = fin;
        } else {
            c.push_back(Colores[i] == 'n' ? 1 : 0);
        }
    }
    // The 6-byte records of FlujoDe, each with its colour byte after the value.
    const std::vector<std::uint8_t> base = FlujoDe(Texto);
    if ((base.size() - 4) / 6 != c.size()) throw std::invalid_argument("one colour per node is needed: " + Texto);
    std::vector<std::uint8_t> datos(base.begin(), base.begin() + 4);
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto r = base.begin() + 4 + static_cast<std::ptrdiff_t>(6 * i);
        datos.insert(datos.end(), r, r + 4);
        datos.push_back(c[i]);
        datos.insert(datos.end(), r + 4, r + 6);
    }
    return datos;
}

std::vector<std::uint8_t> FlujoMon(std::int32_t Cuenta, const std::vector<TRegistroMon>& Registros) {
    std::vector<std::uint8_t> datos;
    TEscritorFlujo f(datos);
    f.EscribirEntero(Cuenta);
    for (const TRegistroMon& r : Registros) {
        f.EscribirEntero(r.Valor);
        f.EscribirEntero(r.Indice);
        f.EscribirByte(r.Izq ? 1 : 0);
        f.EscribirByte(r.Der ? 1 : 0);
    }
    return datos;
}

std::vector<std::uint8_t> FlujoVector(const std::vector<std::int32_t>& Valores) {
    const auto n = static_cast<std::int64_t>(Valores.size());
    std::vector<TRegistroMon> registros;
    std::vector<std::int64_t> pila;
    if (n > 0) pila.push_back(0);
    while (!pila.empty()) {
        const std::int64_t i = pila.back();
        pila.pop_back();
        registros.push_back({Valores[i], static_cast<std::int32_t>(i), 2 * i + 1 < n, 2 * i + 2 < n});
        if (2 * i + 2 < n) pila.push_back(2 * i + 2);
        if (2 * i + 1 < n) pila.push_back(2 * i + 1);
    }
    return FlujoMon(static_cast<std::int32_t>(n), registros);
}

std::vector<std::uint8_t> FlujoCadena(std::int32_t N, bool Derecha, std::optional<std::uint8_t> Color) {
    std::vector<std::uint8_t> datos;
    datos.reserve(4 + (Color ? 7 : 6) * static_cast<std::size_t>(N));
    TEscritorFlujo f(datos);
    f.EscribirEntero(N);
    for (std::int32_t i = 1; i <= N; ++i) {
        const bool sigue = i < N;
        f.EscribirEntero(Derecha ? i : N + 1 - i);
        if (Color) f.EscribirByte(*Color);  // red-black records carry a colour byte
        f.EscribirByte(!Derecha && sigue ? 1 : 0);
        f.EscribirByte(Derecha && sigue ? 1 : 0);
    }
    return datos;
}

TNodoBin* Nodo(const TArbolBin& A, std::int32_t V) {
    return RecorrerPreorden(A.Raiz, [V](TNodoBin* n, std::int32_t) { return n->Valor == V; });
}

std::vector<std::int32_t> EnOrden(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    std::vector<const TNodoBin*> pila;
    for (const TNodoBin* n = A.Raiz; n != nullptr || !pila.empty(); n = n->Der) {
        for (; n != nullptr; n = n->Izq) pila.push_back(n);
        n = pila.back();
        pila.pop_back();
        v.push_back(n->Valor);
    }
    return v;
}

std::vector<std::int32_t> Vivos(const TMonticulo& M) {
    return {M.VectorValores.begin(), M.VectorValores.begin() + M.NumNodos};
}

std::vector<std::int32_t> Grises(const TMonticulo& M) {
    return {M.VectorValores.begin() + M.NumNodos, M.VectorValores.begin() + M.MaxNodos};
}

std::string Lista(const std::vector<std::int32_t>& V) {
    std::string s;
    for (std::int32_t x : V) s += (s.empty() ? "" : ",") + std::to_string(x);
    return s.empty() ? "-" : s;
}

std::string Factores(const TArbolBin& A) {
    std::string s;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        s += (s.empty() ? "" : " ") + Texto(n->Valor) + ":" + Texto(static_cast<TNodoAVL*>(n)->FactorEquilibrio);
    });
    return s;
}

std::string Linea(std::string_view Titulo, std::string_view Descripcion, int Tipo,
                  const std::vector<std::int32_t>& Marcados, std::optional<std::int32_t> Sel,
                  std::optional<std::int32_t> Borrado) {
    return std::string(Titulo) + " | " + std::string(Descripcion) + " | " + std::to_string(Tipo) + " | " +
           Lista(Marcados) + " | " + Opcional(Sel) + " | " + Opcional(Borrado);
}

TGrabadora::TGrabadora(TArbolBin& A) {
    A.OnEtapa = [this, &A](const std::string& Titulo, const std::string& Descripcion, int Tipo) {
        std::vector<std::int32_t> marcados;
        RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
            if (n->Marcado) marcados.push_back(n->Valor);
        });
        Etapas.push_back(Linea(Titulo, Descripcion, Tipo, marcados, ValorDe(A.NodoSel), ValorDe(A.NodoBorrado)));
        if (Ademas) Ademas();
    };
}

void TGrabadora::Vigilar(std::function<std::string()> Revisar) {
    Ademas = [this, Revisar = std::move(Revisar)] {
        const std::string f = Revisar();
        if (!f.empty()) ADD_FAILURE() << "during report " << Etapas.size() << " \"" << Etapas.back() << "\": " << f;
    };
}

void TGrabadora::InterrumpirEn(std::size_t K) {
    Ademas = [this, K] {
        if (Etapas.size() == K + 1) throw TInterrupcion{};
    };
}

TDatosAlBorde::TDatosAlBorde(std::span<const std::uint8_t> Datos) : Tam_(Datos.size()) {
    const auto pagina = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t paginasDatos = (Tam_ + pagina - 1) / pagina;
    TamMapa_ = (paginasDatos + 1) * pagina;
    void* m = mmap(nullptr, TamMapa_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
    Mapa_ = static_cast<std::uint8_t*>(m);
    std::uint8_t* guarda = Mapa_ + paginasDatos * pagina;
    if (mprotect(guarda, pagina, PROT_NONE) != 0) throw std::bad_alloc();
    if (Tam_ > 0) std::memcpy(guarda - Tam_, Datos.data(), Tam_);
    Inicio_ = guarda - Tam_;
}

TDatosAlBorde::~TDatosAlBorde() { munmap(Mapa_, TamMapa_); }

std::vector<std::string> Campos(const std::string& Linea) {
    std::vector<std::string> v;
    for (std::size_t i = 0;;) {
        const std::size_t j = Linea.find(" | ", i);
        v.push_back(Linea.substr(i, j - i));
        if (j == std::string::npos) return v;
        i = j + 3;
    }
}

std::vector<std::string> Trozos(const std::string& S, char Sep) {
    std::vector<std::string> v;
    std::istringstream is(S);
    for (std::string t; std::getline(is, t, Sep);) v.push_back(t);
    return v;
}

std::vector<std::int32_t> Enteros(const std::string& S) {
    std::vector<std::int32_t> v;
    if (S != "-")
        for (const std::string& t : Trozos(S, ',')) v.push_back(std::stoi(t));
    return v;
}
