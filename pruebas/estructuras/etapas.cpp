// Step reports of every kind from etapas.txt, reports on and off, both red-black checks; then left at each report.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "comprobacion.h"

namespace {

struct TCaso {
    std::string Tipo, Nombre, Inicial, Op, Resultado, Final, Sel;
    std::int32_t Clave = 0;
    std::map<std::string, std::string> Extra;  // aj, prev, sel, fe, col, alt, gris, xy, xyb, formas, err
    std::vector<std::string> Etapas;           // as written
};

void PrintTo(const TCaso& C, std::ostream* os) { *os << C.Tipo << " " << C.Nombre; }

std::vector<TCaso> LeerCasos() {
    std::ifstream f(DATOS_ETAPAS);
    std::vector<TCaso> v;
    auto extras = [](TCaso& c, const std::string& s) {  // key=value, a value running on up to the next key
        std::istringstream is(s);
        std::string* ultimo = nullptr;
        for (std::string t; is >> t;) {
            const auto p = t.find('=');
            const bool clave = p != std::string::npos && std::islower(static_cast<unsigned char>(t[0]));
            std::string& valor = clave ? *(ultimo = &c.Extra[t.substr(0, p)]) : *ultimo;
            valor = clave ? t.substr(p + 1) : valor + " " + t;
        }
    };
    for (std::string l; std::getline(f, l);) {
        if (l.empty() || l[0] == '#') continue;
        const std::vector<std::string> c = Campos(l.substr(2));
        if (l[0] == '@') {
            TCaso& k = v.emplace_back();
            k.Inicial = c[1], k.Resultado = c[3];
            std::istringstream(c[0] + " " + c[2]) >> k.Tipo >> k.Nombre >> k.Op >> k.Clave;
            if (c.size() > 4) extras(k, c[4]);
        } else if (l[0] == '=') {
            v.back().Final = c[0], v.back().Sel = c[1];
            if (c.size() > 2) extras(v.back(), c[2]);
        } else {
            v.back().Etapas.push_back(l);
        }
    }
    return v;
}

std::unique_ptr<TArbolBin> Preparar(const TCaso& C, bool Completa) {
    auto a = BuscarTipo(C.Tipo)->Clase();
    if (C.Extra.contains("var")) a->Variante = TVariante::Libro;
    if (C.Tipo == "mon")
        a->Cargar(FlujoVector(C.Inicial == "-" ? std::vector<std::int32_t>{} : Enteros(C.Inicial)));
    else if (C.Tipo == "rn" && C.Inicial != "-")
        a->Cargar(FlujoRN(C.Inicial.substr(0, C.Inicial.find('/')), C.Inicial.substr(C.Inicial.find('/') + 1)));
    else
        a->Cargar(FlujoDe(C.Inicial == "-" ? "" : C.Inicial));
    if (C.Tipo == "rn") static_cast<TArbolRN&>(*a).ComprobacionCompleta = Completa;
    for (const std::string& par : Trozos(C.Extra.contains("aj") ? C.Extra.at("aj") : "", ','))
        static_cast<TNodoAVL*>(Nodo(*a, std::stoi(par)))->FactorEquilibrio = std::stoi(par.substr(par.find(':') + 1));
    for (std::int32_t e : Enteros(C.Extra.contains("prev") ? C.Extra.at("prev") : "-"))
        e >= 0 ? (a->Deseleccionar(), static_cast<void>(a->Insertar(e))) : (a->Deseleccionar(), a->BorrarEntrada(-e));
    a->Deseleccionar();
    if (C.Extra.contains("sel")) a->NodoSel = Nodo(*a, std::stoi(C.Extra.at("sel")));
    if (C.Extra.contains("xy")) a->DistribuirSeparada(20, 10, 10);
    return a;
}

std::string Posicion(const TNodoBin* N) { return Texto(N->X) + ":" + Texto(N->Y); }

// The operation as the driver runs it; the result ("-" for none) and the text of an error raised.
std::pair<std::string, std::string> Ejecutar(TArbolBin& A, const TCaso& C) {
    try {
        if (C.Op == "buscar") return {A.Buscar(C.Clave) ? "1" : "0", ""};
        if (C.Op == "insertar") return {A.Insertar(C.Clave) ? "1" : "0", ""};
        C.Op == "crear" ? static_cast<TMonticulo&>(A).CrearMonticulo() : A.BorrarEntrada(C.Clave);
    } catch (const EArbol& e) {
        return {"?", e.what()};
    }
    return {"-", ""};
}

// The '=' line: final | selected, then the extras checked (rn colours and black heights, heap greyed cells always).
std::string Final(const TArbolBin& A, const TCaso& C) {
    const std::string f = C.Tipo == "mon" ? Lista(Vivos(static_cast<const TMonticulo&>(A))) : Forma(A);
    std::string s = (f.empty() ? "-" : f) + " | " + (A.NodoSel ? Texto(A.NodoSel->Valor) : "-"), col, alt, xy;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        xy += (xy.empty() ? "" : ",") + Posicion(n);
        if (const auto* r = C.Tipo == "rn" ? static_cast<TNodoRN*>(n) : nullptr) {
            col += r->Color == 0 ? "r" : r->Color == 1 ? "n" : "[" + Texto(r->Color) + "]";
            alt += (alt.empty() ? "" : ",") + Texto(r->AlturaNegra);
        }
    });
    if (C.Extra.contains("fe")) s += " fe=" + Factores(A);
    if (C.Tipo == "rn") s += " col=" + (col.empty() ? "-" : col) + " alt=" + (alt.empty() ? "-" : alt);
    if (C.Tipo == "mon") s += " gris=" + Lista(Grises(static_cast<const TMonticulo&>(A)));
    return s + (C.Extra.contains("xy") ? " xy=" + xy : "");
}

std::string Esperado(const TCaso& C) {
    std::string s = C.Final + " | " + C.Sel;
    for (const char* k : {"fe", "col", "alt", "gris", "xy"})
        if (C.Extra.contains(k)) s += std::string(" ") + k + "=" + C.Extra.at(k);
    return s;
}

std::vector<std::int32_t> Ordenados(const TArbolBin& A) { auto v = EnOrden(A); std::ranges::sort(v); return v; }

class Etapas : public ::testing::TestWithParam<TCaso> {};

TEST_P(Etapas, SecuenciaYResultado) {
    const TCaso& c = GetParam();
    for (int modo = 0; modo < (c.Tipo == "rn" ? 4 : 2); ++modo) {
        const bool informes = modo % 2 == 0;
        SCOPED_TRACE(std::string(informes ? "reports on" : "reports off") + (modo >= 2 ? ", full check" : ""));
        auto a = Preparar(c, modo >= 2);
        TGrabadora g(*a);
        // Where the removed node is drawn while shown; each new shape with the first report showing it.
        std::string borrado, formas, previa = Forma(*a);
        if (informes)
            g.Vigilar([&] {
                if (a->NodoBorrado != nullptr && borrado.empty()) borrado = Posicion(a->NodoBorrado);
                if (Forma(*a) != previa)
                    formas += (formas.empty() ? "" : " ") + std::to_string(g.Etapas.size() - 1) + ":" + (previa = Forma(*a));
                return InvarianteEnEtapa(*a);
            });
        else
            a->OnEtapa = nullptr;
        const auto [r, err] = Ejecutar(*a, c);
        EXPECT_TRUE(c.Resultado == "?" || r == c.Resultado) << r;
        EXPECT_EQ(err, c.Extra.contains("err") ? c.Extra.at("err") : "");
        if (informes) {
            EXPECT_EQ(g.Etapas, c.Etapas);
            EXPECT_EQ(borrado, c.Extra.contains("xyb") ? c.Extra.at("xyb") : borrado);
            EXPECT_EQ(formas, c.Extra.contains("formas") ? c.Extra.at("formas") : formas);
        }
        EXPECT_EQ(Final(*a, c), Esperado(c));
        a->Deseleccionar();  // a case built on an unbalanced or unordered start may end unsound
        const bool libre = c.Extra.contains("fe") || (c.Tipo == "mon" && c.Op == "crear" && c.Etapas.empty());
        EXPECT_EQ(libre ? "" : Invariante(*a), "");
    }
}

// A handler may leave at any report: the structure stays linked, unmarked, without its removed node, holds the keys
// of before or after, and takes further operations.
TEST_P(Etapas, ManejadorQueLanza) {
    const TCaso& c = GetParam();
    const auto antes = Ordenados(*Preparar(c, false));
    auto despues = Preparar(c, false);
    Ejecutar(*despues, c);
    for (std::size_t k = 0; k < c.Etapas.size(); ++k) {
        SCOPED_TRACE("thrown from report " + std::to_string(k));
        auto a = Preparar(c, false);
        TGrabadora g(*a);
        g.InterrumpirEn(k);
        EXPECT_THROW(Ejecutar(*a, c), TInterrupcion);
        a->OnEtapa = nullptr;
        a->Deseleccionar();
        const bool marcado = RecorrerPreorden(a->Raiz, [](TNodoBin* n, std::int32_t) { return n->Marcado; });
        EXPECT_EQ(InvarianteEnEtapa(*a) + (a->NodoBorrado ? " removed" : "") + (marcado ? " marked" : ""), "");
        const auto vistos = Ordenados(*a);
        EXPECT_TRUE(vistos == antes || vistos == Ordenados(*despues));
        EXPECT_TRUE(c.Tipo == "mon" || ClavesEnOrden(*a));
        try {
            a->Insertar(1000);
        } catch (const EArbol&) {  // a case that ends in an error may end so again
        }
        EXPECT_EQ(InvarianteEnEtapa(*a), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Datos, Etapas, ::testing::ValuesIn(LeerCasos()),
                         [](const auto& i) { return i.param.Tipo + "_" + i.param.Nombre; });

}  // namespace
