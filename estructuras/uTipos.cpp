#include "uTipos.h"

#include <array>

#include "uArbolAVL.h"
#include "uArbolBST.h"
#include "uArbolRN.h"
#include "uInvariantes.h"
#include "uMonticulo.h"
#include "uSplayTree.h"

namespace {

// The callbacks of an entry receive structures and nodes of that entry's own
// kind.

std::vector<std::string> ComprobarBusqueda(const TArbolBin& A) {
    std::vector<std::string> r;
    if (!static_cast<const TArbolBST&>(A).EstaOrdenado()) r.emplace_back("Arbol no ordenado!");
    return r;
}

std::vector<std::string> ComprobarAVL(const TArbolBin& A) {
    std::vector<std::string> r = ComprobarBusqueda(A);
    if (!static_cast<const TArbolAVL&>(A).Consistente()) r.emplace_back("Arbol AVL inconsistente!");
    return r;
}

std::vector<std::string> SospechasBusqueda(const TArbolBin& A) {
    std::vector<std::string> r;
    if (!ClavesEnOrden(A)) r.emplace_back("las claves no están ordenadas");
    return r;
}

// Loading works the factors out from the shape: a tree that was not balanced
// shows a factor beyond one.
std::vector<std::string> SospechasAVL(const TArbolBin& A) {
    std::vector<std::string> r = SospechasBusqueda(A);
    if (NodoDesequilibrado(A) != nullptr) r.emplace_back("hay nodos desequilibrados (factor de equilibrio fuera de -1 a 1)");
    return r;
}

constexpr std::string_view ExtArb[] = {"arb"};
constexpr std::string_view ExtAVL[] = {"arb", "avl"};
constexpr std::string_view ExtRN[] = {"arn"};
constexpr std::string_view ExtMon[] = {"mon"};

// A heap needs no suspicion of its contents: its loader checks the shape, and
// a heap out of heap order is what "Montículo desordenado" saves for a later
// "Crear montículo". A splay tree is saved as a plain binary tree.
const std::array<TTipoEstructura, 5> Tipos{{
    {.Clave = "bst",
     .Clase = &CrearArbol<TArbolBST>,
     .FiltroAbrir = "Arbol BST (*.arb)|*.arb",
     .FiltroGuardar = "Arboles binarios (*.arb)|*.arb",
     .ExtDefecto = "ARB",
     .Extensiones = ExtArb,
     .Comprobar = ComprobarBusqueda,
     .Invariante = InvariantesTipo::Busqueda,
     .Sospechas = SospechasBusqueda},
    {.Clave = "avl",
     .Clase = &CrearArbol<TArbolAVL>,
     .FiltroAbrir = "Arbol AVL (*.arb;*.avl)|*.arb;*.avl",
     .FiltroGuardar = "Arboles binarios (*.arb)|*.arb|Arboles AVL (*.avl)|*.avl",
     .ExtDefecto = "AVL",
     .Extensiones = ExtAVL,
     .Cifra = {.Valor = [](const TNodoBin& n) -> std::int64_t {
                   return static_cast<const TNodoAVL&>(n).FactorEquilibrio;
               },
               .Nombre = "factor"},
     .Comprobar = ComprobarAVL,
     .Invariante = InvariantesTipo::AVL,
     .Sospechas = SospechasAVL,
     .Fibonacci = [](TArbolBin& a, std::int32_t n) { static_cast<TArbolAVL&>(a).CrearFibonacci(n); }},
    {.Clave = "rn",
     .Clase = &CrearArbol<TArbolRN>,
     .FiltroAbrir = "Arbol Rojo-Negro (*.arn)|*.arn",
     .FiltroGuardar = "Arboles Rojo-Negro (*.arn)|*.arn",
     .ExtDefecto = "ARN",
     .Extensiones = ExtRN,
     .Cifra = {.Valor = [](const TNodoBin& n) -> std::int64_t {
                   return static_cast<const TNodoRN&>(n).AlturaNegra;
               },
               .Nombre = "altura_negra"},
     .Color = [](const TNodoBin& n) -> std::int32_t { return static_cast<const TNodoRN&>(n).Color; },
     .Comprobar = ComprobarBusqueda,
     .Invariante = InvariantesTipo::RN,
     .Sospechas = SospechasBusqueda},
    {.Clave = "splay",
     .Clase = &CrearArbol<TSplayTree>,
     .FiltroAbrir = "Splay Tree (*.arb)|*.arb",
     .FiltroGuardar = "Arboles binarios (*.arb)|*.arb",
     .ExtDefecto = "ARB",
     .Extensiones = ExtArb,
     .Comprobar = ComprobarBusqueda,
     .Invariante = InvariantesTipo::Busqueda,
     .Sospechas = SospechasBusqueda,
     .BuscarCambia = true},
    {.Clave = "mon",
     .Clase = &CrearArbol<TMonticulo>,
     .FiltroAbrir = "Montículo (*.mon)|*.mon",
     .FiltroGuardar = "Montículos (*.mon)|*.mon",
     .ExtDefecto = "MON",
     .Extensiones = ExtMon,
     .Cifra = {.Valor = [](const TNodoBin& n) -> std::int64_t {
                   return static_cast<const TNodoMon&>(n).Indice;
               },
               .Nombre = "indice",
               .EsPosicion = true},
     .FilaVector = [](const TArbolBin& a) { return &static_cast<const TMonticulo&>(a); },
     .Invariante = InvariantesTipo::Monticulo,
     .BorraMinimo = true,
     // Drawn from the program's generator.
     .Desordenado = [](TArbolBin& a, std::int32_t n) { static_cast<TMonticulo&>(a).CrearDesordenado(n); },
     .Monticulo = [](TArbolBin& a, std::int32_t) { static_cast<TMonticulo&>(a).CrearMonticulo(); }},
}};

}  // namespace

std::span<const TTipoEstructura> TiposEstructura() { return Tipos; }

const TTipoEstructura* BuscarTipo(std::string_view Clave) {
    for (const TTipoEstructura& t : Tipos)
        if (t.Clave == Clave) return &t;
    return nullptr;
}

const TTipoEstructura* TipoDe(const TArbolBin& Arbol) {
    const TClaseArbol clase = Arbol.Clase();
    for (const TTipoEstructura& t : Tipos)
        if (t.Clase == clase) return &t;
    return nullptr;
}
