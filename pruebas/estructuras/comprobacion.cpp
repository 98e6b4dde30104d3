#include "comprobacion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>


namespace {

// The records of the node at Pos and its subtrees (empty when the text has no node there); a colour byte, when
// given, follows each value.
TBytes Registros(const std::string& T, std::size_t& Pos, std::int32_t& Cuenta, const TBytes* Colores) {
    TBytes r, izq, der;
    if (Pos >= T.size() || T[Pos] == ',' || T[Pos] == ')') return r;
    std::size_t usados = 0;
    TEscritorFlujo(r).EscribirEntero(static_cast<std::int32_t>(std::stoll(T.substr(Pos), &usados)));
    if (Colores) r.push_back(Colores->at(static_cast<std::size_t>(Cuenta)));
    Pos += usados, ++Cuenta;
    if (Pos < T.size() && T[Pos] == '(') {
        izq = Registros(T, ++Pos, Cuenta, Colores);
        if (T.at(Pos++) != ',') throw std::invalid_argument("expected , in " + T);
        der = Registros(T, Pos, Cuenta, Colores);
        if (T.at(Pos++) != ')') throw std::invalid_argument("expected ) in " + T);
    }
    r.insert(r.end(), {!izq.empty(), !der.empty()});
    r.insert(r.end(), izq.begin(), izq.end());
    r.insert(r.end(), der.begin(), der.end());
    return r;
}

TBytes Flujo(const std::string& T, const TBytes* Colores) {
    std::size_t pos = 0;
    std::int32_t cuenta = 0;
    TBytes r = Registros(T, pos, cuenta, Colores);
    if (pos != T.size() || (Colores && Colores->size() != static_cast<std::size_t>(cuenta)))
        throw std::invalid_argument("bad tree text or colours: " + T);
    r.insert(r.begin(), 4, 0);
    return ConCuenta(std::move(r), cuenta);
}

std::string Escribir(const TNodoBin* n) {
    if (!n->Izq && !n->Der) return Texto(n->Valor);
    return Texto(n->Valor) + "(" + (n->Izq ? Escribir(n->Izq) : "") + "," + (n->Der ? Escribir(n->Der) : "") + ")";
}

std::string Opcional(std::optional<std::int32_t> V) { return V ? std::to_string(*V) : "-"; }
std::optional<std::int32_t> ValorDe(const TNodoBin* N) { return N ? std::optional(N->Valor) : std::nullopt; }
}  // namespace

std::vector<std::uint8_t> FlujoDe(const std::string& Texto) { return Flujo(Texto, nullptr); }

void Construir(TArbolBin& A, const std::string& Texto) { A.Cargar(FlujoDe(Texto)); }

std::string Forma(const TArbolBin& A) { return A.Raiz ? Escribir(A.Raiz) : ""; }

std::vector<std::uint8_t> ConCuenta(std::vector<std::uint8_t> Datos, std::int32_t Cuenta) {
    for (int i = 0; i < 4; ++i) Datos[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(Cuenta >> (8 * i));
    return Datos;
}

std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores) {
    TBytes c;
    for (std::size_t i = 0; i < Colores.size(); ++i) {
        const std::size_t fin = Colores[i] == '[' ? Colores.find(']', i) : i;
        const int b = fin > i ? std::stoi(Colores.substr(i + 1)) : Colores[i] == 'n' ? 1 : 0;
        c.push_back(static_cast<std::uint8_t>(b));
        i = fin;
    }
    return Flujo(Texto, &c);
}

std::vector<std::uint8_t> FlujoMon(std::int32_t Cuenta, const std::vector<TRegistroMon>& Registros) {
    TBytes datos;
    TEscritorFlujo f(datos);
    f.EscribirEntero(Cuenta);
    for (const TRegistroMon& r : Registros) {
        f.EscribirEntero(r.Valor);
        f.EscribirEntero(r.Indice);
        datos.insert(datos.end(), {r.Izq, r.Der});
    }
    return datos;
}

std::vector<std::uint8_t> FlujoVector(const std::vector<std::int32_t>& Valores) {
    const std::size_t n = Valores.size();
    std::vector<TRegistroMon> r;
    auto preorden = [&](auto& self, std::size_t i) -> void {
        if (i >= n) return;
        r.push_back({Valores[i], static_cast<std::int32_t>(i), 2 * i + 1 < n, 2 * i + 2 < n});
        self(self, 2 * i + 1);
        self(self, 2 * i + 2);
    };
    preorden(preorden, 0);
    return FlujoMon(static_cast<std::int32_t>(n), r);
}

std::vector<std::uint8_t> FlujoCadena(std::int32_t N, bool Derecha, std::optional<std::uint8_t> Color) {
    TBytes datos;
    datos.reserve(4 + (Color ? 7 : 6) * static_cast<std::size_t>(N));
    TEscritorFlujo f(datos);
    f.EscribirEntero(N);
    for (std::int32_t i = 1; i <= N; ++i) {
        f.EscribirEntero(Derecha ? i : N + 1 - i);
        if (Color) datos.push_back(*Color);
        datos.insert(datos.end(), {!Derecha && i < N, Derecha && i < N});
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
    Ademas = [this, K] { Etapas.size() == K + 1 ? throw TInterrupcion{} : void(); };
}

std::vector<std::string> Campos(const std::string& Linea) {
    std::vector<std::string> v;
    std::size_t i = 0;
    for (std::size_t j; (j = Linea.find(" | ", i)) != std::string::npos; i = j + 3) v.push_back(Linea.substr(i, j - i));
    v.push_back(Linea.substr(i));
    return v;
}

std::vector<std::vector<std::string>> Filas(const std::string& Fichero, const std::string& Tabla) {
    std::ifstream f(Fichero);
    std::vector<std::vector<std::string>> v;
    for (std::string l; std::getline(f, l);)
        if (l.starts_with(Tabla + " | ")) v.push_back(Campos(l.substr(Tabla.size() + 3)));
    return v;
}

std::vector<std::string> Trozos(const std::string& S, char Sep) {
    std::vector<std::string> v;
    std::istringstream is(S);
    for (std::string t; std::getline(is, t, Sep);) v.push_back(t);
    return v;
}

std::vector<std::int32_t> Enteros(const std::string& S) {
    std::vector<std::int32_t> v;
    for (const std::string& t : Trozos(S == "-" ? "" : S, ',')) v.push_back(std::stoi(t));
    return v;
}
