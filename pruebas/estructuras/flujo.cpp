// Streams of every kind: an accepted one loads as written, reads to its own end only, saves back as given (or as the
// row says); a rejected one (also any accepted one cut short) names its fault and leaves the structure as it was.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "comprobacion.h"

namespace {

const std::string Corto = "El fichero no contiene una estructura valida: los datos terminan antes de tiempo.";
const std::map<std::string, std::string> Errores{
    {"corto", Corto}, {"negativo", "El fichero no contiene una estructura valida: el numero de nodos es negativo."},
    {"posiciones",
     "El fichero no contiene un montículo valido: las posiciones de los nodos no corresponden a la forma del arbol."}};

TBytes DeHex(const std::string& S) {
    TBytes b;
    std::istringstream is(S);
    for (std::string t; is >> t;)
        for (std::size_t i = 0; i < t.size(); i += 2)
            b.push_back(static_cast<std::uint8_t>(std::stoi(t.substr(i, 2), nullptr, 16)));
    return b;
}

// The shape (a heap: live cells, MaxNodos, capacity), each node's factor or colour/black height, the count.
std::string Estado(const TArbolBin& A) {
    std::string s = Forma(A);
    if (const auto* m = dynamic_cast<const TMonticulo*>(&A))
        s = Lista(Vivos(*m)) + " max " + Texto(m->MaxNodos) + " cap " + Texto(m->Capacidad());
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        if (const auto* a = dynamic_cast<TNodoAVL*>(n)) s += " " + Texto(a->FactorEquilibrio);
        if (const auto* r = dynamic_cast<TNodoRN*>(n)) s += " " + Texto(r->Color) + "/" + Texto(r->AlturaNegra);
    });
    s += " n" + Texto(A.NumNodos);
    return s.substr(s[0] == ' ' ? 1 : 0);
}

// Every kind with self-counting nodes, filled and with a selection.
struct TPreparado {
    std::unique_ptr<TArbolBin> A;
    std::int64_t* Vivos;
};
template <class TArbol, class TNodo>
TPreparado Crear() { return {std::make_unique<TContado<TArbol, TNodo>>(), &TNodoContado<TNodo>::Vivos}; }
TPreparado Preparar(const std::string& Tipo) {
    TPreparado p = Tipo == "bst" ? Crear<TArbolBST, TNodoBin>() : Tipo == "avl" ? Crear<TArbolAVL, TNodoAVL>()
                   : Tipo == "rn" ? Crear<TArbolRN, TNodoRN>() : Crear<TMonticulo, TNodoMon>();
    if (Tipo == "mon") p.A->Reconstruir(std::vector<std::int32_t>{5, 3, 8, 1, -1});  // 1 stays, greyed
    if (Tipo != "mon") p.A->Cargar(Tipo == "rn" ? FlujoRN("1(,2(,3))", "n[9]r") : FlujoDe("1(,2(,3))"));
    p.A->NodoSel = p.A->Raiz->Der;
    return p;
}

std::int64_t Enlazados(const TArbolBin& A) { return static_cast<std::int64_t>(EnOrden(A).size()); }

void Rechazo(const std::string& Tipo, const TBytes& Datos, const std::string& Error) {
    TPreparado p = Preparar(Tipo);
    TArbolBin& a = *p.A;
    const std::string estado = Estado(a);
    const TBytes guardado = a.Guardar();
    TNodoBin *raiz = a.Raiz, *sel = a.NodoSel;
    const auto* m = dynamic_cast<const TMonticulo*>(&a);
    const auto valores = m ? m->VectorValores : std::vector<std::int32_t>{};
    const auto nodos = m ? m->Vector : std::vector<TNodoMon*>{};  // the same nodes in the same cells
    try {
        a.Cargar(Datos);
        ADD_FAILURE() << "accepted";
    } catch (const EFlujoInvalido& e) {
        EXPECT_EQ(e.what(), Error);
    }
    EXPECT_TRUE(Estado(a) == estado && a.Guardar() == guardado && a.Raiz == raiz && a.NodoSel == sel);
    EXPECT_TRUE(!m || (m->VectorValores == valores && m->Vector == nodos));
    EXPECT_EQ(InvarianteEnEtapa(a) + "n" + Texto(static_cast<std::int32_t>(*p.Vivos)), "n" + Texto(a.NumNodos));
}

TEST(Flujo, CadaEntradaDeCadaTipo) {
    for (const auto& f : Filas(DATOS_TABLAS, "flujo")) {
        const std::string tipo = f[0].substr(0, f[0].find(' ')), esperado = f[1];
        const TBytes datos = DeHex(f[0].substr(tipo.size())), guardado = f.size() > 2 ? DeHex(f[2]) : datos;
        SCOPED_TRACE(f[0] + " | " + esperado);
        if (Errores.contains(esperado)) {
            Rechazo(tipo, datos, Errores.at(esperado));
            continue;
        }
        {
            TPreparado p = Preparar(tipo);
            TArbolBin& a = *p.A;
            a.OnEtapa = [](const std::string&, const std::string&, int) { ADD_FAILURE() << "report while loading"; };
            a.Cargar(datos);
            EXPECT_EQ(Estado(a), esperado);
            EXPECT_EQ(a.Guardar(), guardado);
            EXPECT_EQ(a.NodoSel, nullptr);
            EXPECT_EQ(*p.Vivos, Enlazados(a));
            EXPECT_TRUE(Enlazados(a) != a.NumNodos || InvarianteEnEtapa(a).empty()) << InvarianteEnEtapa(a);
            RecorrerPreorden(a.Raiz, [](TNodoBin* n, std::int32_t) { EXPECT_EQ(n->X | n->Y, 0); });
            TBytes mas = datos;  // with more bytes after it, a load reads its own stream only
            TLectorFlujo l((mas.insert(mas.end(), {9, 9, 9}), mas));
            a.Cargar(l);
            EXPECT_EQ(l.Posicion(), a.NumNodos == 0 ? 4 : datos.size());
        }
        if (f.size() == 2)
            for (std::size_t n = 0; n < datos.size(); ++n)
                Rechazo(tipo, TBytes(datos.begin(), datos.begin() + static_cast<std::ptrdiff_t>(n)), Corto);
    }
}

}  // namespace
