#include "uInvariantes.h"

#include <vector>

#include "uArbolAVL.h"
#include "uArbolRN.h"
#include "uMonticulo.h"
#include "uTipos.h"

namespace {

std::string Nodo(const TNodoBin* n) { return "nodo " + Texto(n->Valor); }

// Links, count, selection and removed node, over a pre-order walk with its own
// stack. A child is entered only when it points back at its parent, and the
// walk stops once it has seen more nodes than NumNodos: faulty links cannot
// make it loop.
std::string Enlaces(const TArbolBin& A, bool EntreOperaciones) {
    if (A.Raiz != nullptr && A.Raiz->Padre != nullptr) return "Raiz->Padre no es nil";
    if (EntreOperaciones && A.NodoBorrado != nullptr) return "NodoBorrado no es nil";
    // The removed node is drawn alone: a link left in it would reach (and,
    // when it is destroyed, free) nodes still in the structure.
    if (const TNodoBin* b = A.NodoBorrado; b != nullptr && (b->Padre || b->Izq || b->Der))
        return "NodoBorrado sigue enlazado";
    std::int64_t cuenta = 0;
    bool selVisto = A.NodoSel == nullptr;
    std::vector<const TNodoBin*> pila;
    if (A.Raiz != nullptr) pila.push_back(A.Raiz);
    while (!pila.empty()) {
        const TNodoBin* n = pila.back();
        pila.pop_back();
        if (++cuenta > A.NumNodos) return "más nodos alcanzables que NumNodos " + Texto(A.NumNodos);
        if (n == A.NodoSel) selVisto = true;
        if (n == A.NodoBorrado) return "NodoBorrado es alcanzable";
        if (EntreOperaciones && n->Marcado) return Nodo(n) + " sigue marcado";
        if (n->Izq != nullptr && n->Izq == n->Der) return Nodo(n) + " tiene el mismo hijo a ambos lados";
        for (const TNodoBin* h : {n->Der, n->Izq}) {
            if (h == nullptr) continue;
            if (h->Padre != n) return "un hijo de " + Nodo(n) + " tiene otro Padre";
            pila.push_back(h);
        }
    }
    if (cuenta != A.NumNodos) return "NumNodos " + Texto(A.NumNodos) + " pero " + std::to_string(cuenta) + " alcanzables";
    if (!selVisto) return "NodoSel no es un nodo del arbol";
    return {};
}

}  // namespace

namespace InvariantesTipo {

std::string Busqueda(const TArbolBin& A) {
    return ClavesEnOrden(A) ? std::string() : "claves fuera de orden";
}

std::string AVL(const TArbolBin& A) {
    std::string r = Busqueda(A);
    if (!r.empty()) return r;
    if (!static_cast<const TArbolAVL&>(A).Consistente()) return "un factor no es la diferencia de alturas";
    if (const TNodoBin* fuera = NodoDesequilibrado(A); fuera != nullptr) return Nodo(fuera) + " desequilibrado";
    return {};
}

// What the red-black tree keeps after every operation is its black-path
// bookkeeping: a node flagged CaminoVerificado has flagged children, obeys
// the black-path rule at itself and holds the black height that rule gives.
// The check after each insertion walks only the unflagged nodes, so a wrong
// flag would let a bad tree pass it.
//
// Left out: the colour rules. A deletion recolours nothing and restores
// nothing, so after one the black counts may disagree and a red node may
// have a red child until an insertion's check fails; a root made red by
// case 1 stays red; a check that failed leaves its insertion in place; and a
// loaded tree keeps whatever colour bytes it stored.
// The textbooks' algorithms (TVariante::Libro) keep the colour rules, but
// only on a tree they built from the start: the variant may change between
// two operations.
std::string RN(const TArbolBin& A) {
    std::string r = Busqueda(A);
    if (!r.empty()) return r;
    auto rn = [](const TNodoBin* n) { return static_cast<const TNodoRN*>(n); };
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        const TNodoRN* x = rn(n);
        if (!x->CaminoVerificado) return false;
        const TNodoRN* l = n->Izq != nullptr ? rn(n->Izq) : nullptr;
        const TNodoRN* d = n->Der != nullptr ? rn(n->Der) : nullptr;
        if ((l != nullptr && !l->CaminoVerificado) || (d != nullptr && !d->CaminoVerificado)) {
            r = Nodo(n) + " verificado con un hijo sin verificar";
        } else if (l == nullptr && d == nullptr) {
            if (x->AlturaNegra != 1) r = Nodo(n) + " sin hijos con altura negra " + Texto(x->AlturaNegra);
        } else if (l == nullptr || d == nullptr) {
            const TNodoRN* h = l != nullptr ? l : d;
            if (h->EsNegro() || h->AlturaNegra != 1 || x->AlturaNegra != 1) r = Nodo(n) + " falla el camino negro";
        } else {
            const std::int32_t al = l->AlturaNegra + (l->EsNegro() ? 1 : 0);
            const std::int32_t ad = d->AlturaNegra + (d->EsNegro() ? 1 : 0);
            if (al != ad || x->AlturaNegra != al) r = Nodo(n) + " falla el camino negro";
        }
        return !r.empty();
    });
    return r;
}

}  // namespace InvariantesTipo

namespace {

// The vector against the linked tree: both arrays of one length, the counts
// in order, and every live cell's node at its index, with the value and the
// links the vector gives.
std::string Vector(const TMonticulo& M) {
    const std::int32_t n = M.NumNodos;
    if (M.Vector.size() != M.VectorValores.size()) return "Vector y VectorValores de distinta longitud";
    if (n < 0 || n > M.MaxNodos || M.MaxNodos > M.Capacidad())
        return "NumNodos " + Texto(n) + ", MaxNodos " + Texto(M.MaxNodos) + ", longitud " + Texto(M.Capacidad());
    if (M.Raiz != (n > 0 ? M.Vector[0] : nullptr)) return "Raiz no es Vector[0]";
    auto en = [&](std::int64_t i) -> const TNodoBin* { return i < n ? M.Vector[i] : nullptr; };
    for (std::int32_t i = 0; i < n; ++i) {
        const TNodoMon* v = M.Vector[i];
        const std::string celda = "celda " + Texto(i) + ": ";
        if (v == nullptr) return celda + "nil";
        if (v->Indice != i) return celda + "Indice " + Texto(v->Indice);
        if (v->Valor != M.VectorValores[i]) return celda + "valor distinto en VectorValores";
        if (v->Padre != (i > 0 ? M.Vector[(i - 1) / 2] : nullptr)) return celda + "Padre erróneo";
        if (v->Izq != en(2 * std::int64_t{i} + 1) || v->Der != en(2 * std::int64_t{i} + 2))
            return celda + "hijos erróneos";
    }
    return {};
}

const TMonticulo* ComoMonticulo(const TArbolBin& A) {
    const TTipoEstructura* t = TipoDe(A);
    return t != nullptr && t->FilaVector != nullptr ? t->FilaVector(A) : nullptr;
}

}  // namespace

std::string InvariantesTipo::Monticulo(const TArbolBin& A) {
    const TMonticulo& M = *ComoMonticulo(A);
    std::string r = Vector(M);
    if (!r.empty()) return r;
    for (std::int32_t i = 1; i < M.NumNodos; ++i)
        if (M.VectorValores[i] < M.VectorValores[(i - 1) / 2])
            return "celda " + Texto(i) + ": fuera del orden de montículo";
    return {};
}

const TNodoBin* NodoDesequilibrado(const TArbolBin& A) {
    return RecorrerPreorden(A.Raiz, [](TNodoBin* n, std::int32_t) {
        const std::int32_t fe = static_cast<TNodoAVL*>(n)->FactorEquilibrio;
        return fe < -1 || fe > 1;
    });
}

bool ClavesEnOrden(const TArbolBin& A) {
    std::vector<const TNodoBin*> pila;
    const TNodoBin* anterior = nullptr;
    for (const TNodoBin* n = A.Raiz; n != nullptr || !pila.empty();) {
        for (; n != nullptr; n = n->Izq) pila.push_back(n);
        n = pila.back();
        pila.pop_back();
        if (anterior != nullptr && !(anterior->Valor < n->Valor)) return false;
        anterior = n;
        n = n->Der;
    }
    return true;
}

std::string Invariante(const TArbolBin& A) {
    std::string r = Enlaces(A, true);
    if (!r.empty()) return r;
    const TTipoEstructura* t = TipoDe(A);
    return t != nullptr && t->Invariante != nullptr ? t->Invariante(A) : std::string();
}

std::string InvarianteEnEtapa(const TArbolBin& A) {
    std::string r = Enlaces(A, false);
    if (!r.empty()) return r;
    const TMonticulo* m = ComoMonticulo(A);
    return m != nullptr ? Vector(*m) : std::string();
}

