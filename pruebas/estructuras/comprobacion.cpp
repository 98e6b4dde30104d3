#include "comprobacion.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <sstream>
#include <stdexcept>

namespace {

class TLectorTexto {
public:
    explicit TLectorTexto(const std::string& T) : T_(T) {}

    // One node and its subtrees; false when the text has no node here.
    bool Nodo(TEscritorFlujo& F, std::int32_t& Cuenta) {
        if (Pos_ >= T_.size() || T_[Pos_] == ',' || T_[Pos_] == ')') return false;
        std::size_t usados = 0;
        const long long v = std::stoll(T_.substr(Pos_), &usados);
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
            throw std::invalid_argument("value out of range in " + T_);
        Pos_ += usados;
        ++Cuenta;
        // The flags are known only once the children are read: their records
        // are gathered apart and follow this node's.
        std::vector<std::uint8_t> hijos;
        TEscritorFlujo fh(hijos);
        bool izq = false, der = false;
        if (Pos_ < T_.size() && T_[Pos_] == '(') {
            ++Pos_;
            izq = Nodo(fh, Cuenta);
            Esperar(',');
            der = Nodo(fh, Cuenta);
            Esperar(')');
        }
        F.EscribirEntero(static_cast<std::int32_t>(v));
        F.EscribirByte(izq ? 1 : 0);
        F.EscribirByte(der ? 1 : 0);
        for (std::uint8_t b : hijos) F.EscribirByte(b);
        return true;
    }
    void Fin() {
        if (Pos_ != T_.size()) throw std::invalid_argument("trailing text in " + T_);
    }

private:
    void Esperar(char c) {
        if (Pos_ >= T_.size() || T_[Pos_] != c) throw std::invalid_argument(std::string("expected ") + c + " in " + T_);
        ++Pos_;
    }
    const std::string& T_;
    std::size_t Pos_ = 0;
};

void Escribir(const TNodoBin* n, std::string& s) {
    s += std::to_string(n->Valor);
    if (n->Izq == nullptr && n->Der == nullptr) return;
    s += '(';
    if (n->Izq != nullptr) Escribir(n->Izq, s);
    s += ',';
    if (n->Der != nullptr) Escribir(n->Der, s);
    s += ')';
}

std::string Revisar(const TArbolBin& A, bool EntreOperaciones) {
    std::ostringstream fallo;
    if (A.Raiz != nullptr && A.Raiz->Padre != nullptr) return "Raiz->Padre is not nil";
    if (EntreOperaciones && A.NodoBorrado != nullptr) return "NodoBorrado is not nil";
    const std::int64_t limite = std::max<std::int64_t>(A.NumNodos, 0);
    std::int64_t cuenta = 0;
    bool selVisto = A.NodoSel == nullptr;
    bool hayPrevio = false;
    std::int32_t previo = 0;
    // In-order with an explicit stack. A child is checked to point back at
    // its parent before it is entered, so faulty links cannot make it loop.
    std::vector<const TNodoBin*> pila;
    const TNodoBin* n = A.Raiz;
    while (n != nullptr || !pila.empty()) {
        while (n != nullptr) {
            if (++cuenta > limite) {
                fallo << "more nodes reachable than NumNodos " << A.NumNodos;
                return fallo.str();
            }
            pila.push_back(n);
            if (n->Izq != nullptr && n->Izq->Padre != n) {
                fallo << "left child of " << n->Valor << " has a wrong Padre";
                return fallo.str();
            }
            n = n->Izq;
        }
        n = pila.back();
        pila.pop_back();
        if (n->Der != nullptr && n->Der->Padre != n) {
            fallo << "right child of " << n->Valor << " has a wrong Padre";
            return fallo.str();
        }
        if (n == A.NodoSel) selVisto = true;
        if (n == A.NodoBorrado) return "NodoBorrado is reachable";
        if (EntreOperaciones) {
            if (n->Marcado) {
                fallo << "node " << n->Valor << " is still marked";
                return fallo.str();
            }
            if (hayPrevio && !(previo < n->Valor)) {
                fallo << "order broken: " << n->Valor << " comes after " << previo;
                return fallo.str();
            }
        }
        previo = n->Valor;
        hayPrevio = true;
        n = n->Der;
    }
    if (cuenta != A.NumNodos) {
        fallo << "NumNodos " << A.NumNodos << " but " << cuenta << " nodes reachable";
        return fallo.str();
    }
    if (!selVisto) return "NodoSel is not a node of the tree";
    return {};
}

Opt ValorDe(const TNodoBin* n) {
    if (n == nullptr) return nil;
    return n->Valor;
}

}  // namespace

std::vector<std::uint8_t> FlujoDe(const std::string& Texto) {
    std::vector<std::uint8_t> nodos;
    TEscritorFlujo fn(nodos);
    TLectorTexto lector(Texto);
    std::int32_t cuenta = 0;
    lector.Nodo(fn, cuenta);
    lector.Fin();
    std::vector<std::uint8_t> datos;
    TEscritorFlujo f(datos);
    f.EscribirEntero(cuenta);
    datos.insert(datos.end(), nodos.begin(), nodos.end());
    return datos;
}

std::vector<std::uint8_t> ConCuenta(std::vector<std::uint8_t> Datos, std::int32_t Cuenta) {
    for (int b = 0; b < 4; ++b) Datos[b] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(Cuenta) >> (8 * b));
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

void Construir(TArbolBin& A, const std::string& Texto) {
    A.Cargar(FlujoDe(Texto));
}

std::string Forma(const TArbolBin& A) {
    std::string s;
    if (A.Raiz != nullptr) Escribir(A.Raiz, s);
    return s;
}

TNodoBin* Nodo(const TArbolBin& A, std::int32_t V) {
    return RecorrerPreorden(A.Raiz, [V](TNodoBin* n, std::int32_t) { return n->Valor == V; });
}

std::string Comprobar(const TArbolBST& A) {
    return Revisar(A, true);
}
std::string ComprobarEnlaces(const TArbolBin& A) {
    return Revisar(A, false);
}

std::vector<std::int32_t> EnOrden(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    std::vector<const TNodoBin*> pila;
    const TNodoBin* n = A.Raiz;
    while (n != nullptr || !pila.empty()) {
        for (; n != nullptr; n = n->Izq) pila.push_back(n);
        n = pila.back();
        pila.pop_back();
        v.push_back(n->Valor);
        n = n->Der;
    }
    return v;
}

Opt ValorSel(const TArbolBin& A) {
    return ValorDe(A.NodoSel);
}

std::int32_t Enesimo(const std::set<std::int32_t>& S, std::int32_t I) {
    return *std::next(S.begin(), I);
}

TEtapas Unir(std::initializer_list<TEtapas> Partes) {
    TEtapas v;
    for (const TEtapas& p : Partes) v.insert(v.end(), p.begin(), p.end());
    return v;
}

void PrintTo(const TEtapaVista& E, std::ostream* os) {
    *os << "{\"" << E.Titulo << "\", \"" << E.Descripcion << "\", " << E.Tipo << ", marcados [";
    for (std::size_t i = 0; i < E.Marcados.size(); ++i) *os << (i ? " " : "") << E.Marcados[i];
    *os << "], sel " << (E.Sel ? std::to_string(*E.Sel) : "nil") << ", borrado "
        << (E.Borrado ? std::to_string(*E.Borrado) : "nil") << "}";
}

void PrintTo(const TDistribucion& D, std::ostream* os) {
    *os << "{Ancho " << D.Ancho << ", Alto " << D.Alto << ", XRaiz " << D.XRaiz << "}";
}

TGrabadora::TGrabadora(TArbolBin& A) {
    A.OnEtapa = [this, &A](const std::string& Titulo, const std::string& Descripcion, int Tipo) {
        TEtapaVista e{Titulo, Descripcion, Tipo, {}, ValorDe(A.NodoSel), ValorDe(A.NodoBorrado)};
        RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
            if (n->Marcado) e.Marcados.push_back(n->Valor);
        });
        Etapas.push_back(e);
        if (Ademas) Ademas(Etapas.back());
    };
}

void TGrabadora::Vigilar(std::function<std::string()> Revisar) {
    Ademas = [this, Revisar = std::move(Revisar)](const TEtapaVista& e) {
        const std::string f = Revisar();
        if (!f.empty()) ADD_FAILURE() << "during report " << Etapas.size() << " \"" << e.Descripcion << "\": " << f;
    };
}

void TGrabadora::InterrumpirEn(std::size_t K) {
    Ademas = [this, K](const TEtapaVista&) {
        if (Etapas.size() == K + 1) throw TInterrupcion{};
    };
}

std::optional<bool> Ejecutar(TArbolBST& A, TOp Op, std::int32_t Valor) {
    A.Deseleccionar();
    switch (Op) {
        case OpBuscar:
            return A.Buscar(Valor);
        case OpInsertar:
            return A.Insertar(Valor);
        case OpBorrar:
            A.Seleccionar(Valor, true);
            A.Borrar();
            break;
    }
    return std::nullopt;
}

void PrintTo(const TCasoBST& C, std::ostream* os) {
    *os << C.Nombre;
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

TDatosAlBorde::TDatosAlBorde(std::span<const std::uint8_t> Datos) : Tam_(Datos.size()) {
    const auto pagina = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t paginasDatos = (Tam_ + pagina - 1) / pagina;
    TamMapa_ = (paginasDatos + 1) * pagina;
    void* m = mmap(nullptr, TamMapa_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
    Mapa_ = static_cast<std::uint8_t*>(m);
    std::uint8_t* guarda = Mapa_ + paginasDatos * pagina;
    if (mprotect(guarda, pagina, PROT_NONE) != 0) {
        munmap(Mapa_, TamMapa_);
        throw std::bad_alloc();
    }
    std::uint8_t* inicio = guarda - Tam_;
    if (Tam_ > 0) std::memcpy(inicio, Datos.data(), Tam_);
    Inicio_ = inicio;
}

TDatosAlBorde::~TDatosAlBorde() {
    munmap(Mapa_, TamMapa_);
}

namespace EtapasBST {
namespace {
// Plain literals: the builders run while other files' case tables are
// initialised.
constexpr const char* Busqueda = "Busqueda finalizada";
constexpr const char* Clasificacion = "Clasificación del nodo seleccionado:";
constexpr const char* TituloDosHijos = "Borrado de nodo con dos hijos:";
}  // namespace

TEtapaVista Comparacion(std::int32_t V, std::int32_t Comparado, Opt Sel) {
    return {"Búsqueda del valor " + std::to_string(V), "Comparando con elemento " + std::to_string(Comparado), 0,
            {Comparado}, Sel, nil};
}
TEtapaVista Encontrado(std::int32_t V) {
    return {Busqueda, "Se encontro un nodo con el valor " + std::to_string(V), 0, {}, V, nil};
}
TEtapaVista NoEncontrado(Opt Sel) {
    return {Busqueda,
            "No se encontro un nodo con ese valor. Si se inserta ese valor, será un hijo del nodo seleccionado.", 0, {},
            Sel, nil};
}
TEtapaVista InsercionFallida(std::int32_t Sel) {
    return {"Inserción fallida", "Existe un nodo con el valor que se quería insertar.", 2, {}, Sel, nil};
}
TEtapaVista InsercionEnVacio(std::int32_t Sel) {
    return {"Inserción como hoja", "El nodo pasa a ser la raiz.", 2, {}, Sel, nil};
}
TEtapaVista InsercionHoja(std::int32_t Sel) {
    return {"Inserción como hoja", "El nodo se inserta como hijo del nodo encontrado en la búsqueda.", 2, {}, Sel, nil};
}
TEtapaVista HijoIzquierdo(std::int32_t Marcado, std::int32_t Sel) {
    return {TituloDosHijos, "Nos situamos en el hijo izquierdo.", 0, {Marcado}, Sel, nil};
}
TEtapaVista HijoDerecho(std::int32_t Marcado, std::int32_t Sel) {
    return {TituloDosHijos, "Se recorren los hijos derechos.", 0, {Marcado}, Sel, nil};
}
TEtapaVista Predecesor(std::int32_t Marcado, std::int32_t Sel) {
    return {TituloDosHijos,
            "Se ha encontrado el mayor hijo del subarbol izquierdo, el cual se borrará tras copiar su valor al nodo "
            "seleccionado.",
            2, {Marcado}, Sel, nil};
}
TEtapaVista Hoja(Opt Sel, std::int32_t Borrado) {
    return {Clasificacion, "El nodo es una hoja: Se borra directamente y se selecciona el padre del nodo borrado.", 2, {},
            Sel, Borrado};
}
TEtapaVista UnHijo(Opt Sel, std::int32_t Borrado) {
    return {Clasificacion, "El nodo tiene sólo un hijo: Se sustituye por él y se selecciona el padre del nodo borrado.",
            2, {}, Sel, Borrado};
}
TEtapas InsercionNueva(std::int32_t V, std::initializer_list<std::int32_t> Camino) {
    TEtapas v;
    for (std::int32_t c : Camino) v.push_back(Comparacion(V, c));
    const Opt ultimo = Camino.size() == 0 ? nil : Opt(*(Camino.end() - 1));
    v.push_back(NoEncontrado(ultimo));
    v.push_back(Camino.size() == 0 ? InsercionEnVacio(V) : InsercionHoja(V));
    return v;
}
TEtapas Hallado(std::int32_t V, std::initializer_list<std::int32_t> Camino) {
    TEtapas v;
    for (std::int32_t c : Camino) v.push_back(Comparacion(V, c));
    v.push_back(Encontrado(V));
    return v;
}
TEtapas InsercionRepetida(std::int32_t V, std::initializer_list<std::int32_t> Camino) {
    return Unir({Hallado(V, Camino), {InsercionFallida(V)}});
}
}  // namespace EtapasBST
