// The algorithms' listings: every stage of every kind lands on a line of a
// listing, and an operation's stages light the lines written by hand in
// pseudocodigo.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "uAleatorio.h"
#include "uPseudocodigo.h"
#include "uTraza.h"

namespace {

// Runs the OPs; the stages of the last one as "listado:linea" ("?" and the
// tag when the tag has no line), or every OP's when Todas.
std::vector<std::string> Lineas(const std::string& Tipo, const std::vector<std::string>& Ops, bool Todas,
                                std::set<std::string>* Usados = nullptr, TVariante Variante = TVariante::Original) {
    const TTipoTraza* t = BuscarTipoTraza(Tipo);
    std::unique_ptr<TArbolBin> a = t->Clase();
    a->Variante = Variante;
    std::vector<std::string> vistas;
    a->OnEtapa = [&](const std::string& Titulo, const std::string& Descripcion, int) {
        const TArbolBin::TSitio s = a->Sitio();
        const int n = LineaDe(s.Listado, s.Etiqueta);
        if (Usados && n > 0) Usados->insert(std::string(s.Listado));
        vistas.push_back(n > 0 ? std::string(s.Listado) + ":" + std::to_string(n)
                               : "?" + std::string(s.Listado) + "{" + std::string(s.Etiqueta) + "} " + Titulo +
                                     " / " + Descripcion);
    };
    for (std::size_t i = 0; i < Ops.size(); ++i) {
        if (!Todas) vistas.clear();
        a->Deseleccionar();
        try {
            AplicarOp(*a, *t, *LeerOp(Ops[i]));
        } catch (const EArbol&) {
        }
    }
    return vistas;
}

}  // namespace

// Random operations on every kind with listings, with either variant of the
// algorithms: no stage without its line, and no listing that no stage lights.
// Every listing has a heading, at most 16 lines, and a tag on one line only.
TEST(Pseudocodigo, CadaEtapaTieneSuLinea) {
    // The kinds whose report sites all name their lines; a listing's name
    // starts with its kind's ("avl-insercion").
    const std::vector<std::string> tipos{"bst", "avl", "rn", "splay", "mon"};
    std::set<std::string> usados;
    for (const std::string& tipo : tipos) {
        TAleatorio azar;
        azar.Semilla = 7;
        std::vector<std::string> ops;
        for (int i = 0; i < 400; ++i) {
            const std::int32_t k = azar.Extraer(40);
            ops.push_back((i % 3 == 0 ? "?" : i % 3 == 1 ? "" : "-") + std::to_string(k));
        }
        if (tipo == "avl") ops.insert(ops.begin(), "fib:6");
        if (tipo == "mon") ops.insert(ops.begin(), {"des:30", "crear"});
        for (const TVariante variante : {TVariante::Original, TVariante::Libro})
            for (const std::string& v : Lineas(tipo, ops, true, &usados, variante))
                ASSERT_NE(v[0], '?') << tipo << ": " << v;
    }
    for (const TListado& l : Listados()) {
        const std::string tipo = l.Nombre.substr(0, l.Nombre.find('-'));
        EXPECT_TRUE(usados.count(l.Nombre) || std::find(tipos.begin(), tipos.end(), tipo) == tipos.end()) << l.Nombre;
        EXPECT_TRUE(!l.Lineas.empty() && !l.Lineas[0].empty() && l.Lineas.size() <= 16) << l.Nombre;
        std::multiset<std::string> etiquetas;
        for (const std::string& e : l.Etiquetas) {
            std::istringstream s(e);
            for (std::string x; s >> x;) etiquetas.insert(x);
        }
        for (const std::string& e : etiquetas) EXPECT_EQ(etiquetas.count(e), 1u) << l.Nombre << " {" << e << "}";
    }
}

// The hand-written sequences of pseudocodigo.txt.
TEST(Pseudocodigo, SecuenciasEscritasAMano) {
    std::ifstream f(std::string(DATOS_TRAZA) + "/pseudocodigo.txt");
    int casos = 0;
    for (std::string l; std::getline(f, l);) {
        const std::size_t flecha = l.find(" => ");
        if (l.empty() || l[0] == '#' || flecha == std::string::npos) continue;
        std::istringstream izq(l.substr(0, flecha)), der(l.substr(flecha + 4));
        std::string tipo;
        izq >> tipo;
        // "rn/libro": the textbooks' variant of the algorithms.
        const bool libro = tipo.ends_with("/libro");
        if (libro) tipo.resize(tipo.find('/'));
        const std::vector<std::string> ops{std::istream_iterator<std::string>(izq), {}};
        std::vector<std::string> esperadas;
        for (std::string e; der >> e;) {
            const std::size_t x = e.rfind('x');
            const bool veces = x != std::string::npos && x > e.find(':');
            esperadas.insert(esperadas.end(), veces ? std::stoul(e.substr(x + 1)) : 1, e.substr(0, veces ? x : e.size()));
        }
        // The generator as quelvar-traza starts it.
        GeneradorPrograma() = TAleatorio{};
        GeneradorPrograma().Extraer(0);
        EXPECT_EQ(Lineas(tipo, ops, false, nullptr, libro ? TVariante::Libro : TVariante::Original), esperadas) << l;
        ++casos;
    }
    EXPECT_GT(casos, 0);
}
