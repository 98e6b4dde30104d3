// The kind descriptors: each leads back from its structures, and its files'
// filters offer exactly its extensions.
#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "uArbolBST.h"
#include "uTipos.h"

namespace {

// The patterns a "text|pattern|text|pattern" filter offers ("*.arb").
std::set<std::string> Patrones(std::string_view Filtro) {
    std::set<std::string> r;
    bool patron = false;
    for (std::size_t i = 0; i <= Filtro.size();) {
        const std::size_t fin = std::min(Filtro.find_first_of(patron ? "|;" : "|", i), Filtro.size());
        if (patron) r.emplace(Filtro.substr(i, fin - i));
        if (fin == Filtro.size() || Filtro[fin] == '|') patron = !patron;
        i = fin + 1;
    }
    return r;
}

TEST(Tipos, CadaTipoSeReconoceEnSusEstructuras) {
    for (const TTipoEstructura& t : TiposEstructura()) {
        SCOPED_TRACE(std::string(t.Clave));
        EXPECT_EQ(TipoDe(*t.Clase()), &t);
    }
    struct TOtro : TArbolBST {
        TClaseArbol Clase() const override { return &CrearArbol<TOtro>; }
    };
    EXPECT_EQ(TipoDe(TOtro()), nullptr);
}

TEST(Tipos, LosFiltrosOfrecenLasExtensionesDelTipo) {
    for (const TTipoEstructura& t : TiposEstructura()) {
        SCOPED_TRACE(std::string(t.Clave));
        std::set<std::string> extensiones;
        for (std::string_view e : t.Extensiones) extensiones.insert("*." + std::string(e));
        EXPECT_EQ(Patrones(t.FiltroAbrir), extensiones);
        EXPECT_EQ(Patrones(t.FiltroGuardar), extensiones);
        std::string defecto(t.ExtDefecto);
        std::transform(defecto.begin(), defecto.end(), defecto.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(extensiones.contains("*." + defecto));
    }
}

}  // namespace
