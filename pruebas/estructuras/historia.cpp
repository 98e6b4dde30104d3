// The history: which operations the stored entries hold as they are, the
// exact replay, and what undo gives back.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "comprobacion.h"
#include "uArbolAVL.h"
#include "uHistoria.h"

namespace {

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

TOperacion Ins(std::int32_t k) { return {TOperacion::Insercion, k}; }
TOperacion Bor(std::int32_t k) { return {TOperacion::Borrado, k}; }

TEST(Historia, SoloSeGuardaLoQueSeLeeIgual) {
    struct {
        TOperacion Op;
        bool Representable;
    } const casos[] = {{Ins(0), true},     {Ins(Max32), true}, {Ins(-5), false},
                       {Ins(Min32), false}, {Bor(5), true},    {Bor(Max32), true},
                       {Bor(Min32), true},  {Bor(0), false},   {Bor(-5), false}};
    for (const auto& c : casos) {
        EXPECT_EQ(Representable(c.Op), c.Representable) << c.Op.Tipo << " " << c.Op.Clave;
    }
}

TEST(Historia, ReconstruirRepiteCadaOperacionTalCual) {
    const TOperacion ops[] = {Ins(Min32), Ins(-5), Ins(0), Ins(Max32), Bor(-5), Bor(0), Bor(Min32), Ins(7)};
    TArbolBST a;
    a.Reconstruir(ops);
    EXPECT_EQ(Forma(a), "2147483647(7,)");
    EXPECT_EQ(a.NodoSel, nullptr);
}

TEST(Historia, DeshacerDevuelveLaHistoriaAnteriorUnaVez) {
    TArbolBST a;
    THistoria h;
    EXPECT_FALSE(h.Deshacer(a));  // no snapshot yet
    for (std::int32_t k : {5, 3}) {
        a.Insertar(k);
        h.Anotar(Ins(k));
    }
    const std::vector<TOperacion> antes{Ins(5), Ins(3)};
    // Each command that changes the list: its undo gives back both.
    const auto vaciar = [&] { h.Vaciar(); };
    const auto abrir = [&] { h.Reemplazar({Bor(1)}); };
    const auto borrar = [&] { h.Anotar(Bor(3)); };
    for (const auto& orden : {std::function<void()>(vaciar), std::function<void()>(abrir),
                              std::function<void()>(borrar)}) {
        const auto arbol = a.Guardar();
        h.GuardarDeshacer(a);
        orden();
        a.Vaciar();
        ASSERT_TRUE(h.Deshacer(a));
        ASSERT_TRUE(h.Deshacer(a));  // one level: the same again
        EXPECT_EQ(std::vector<TOperacion>(h.Operaciones().begin(), h.Operaciones().end()), antes);
        EXPECT_EQ(a.Guardar(), arbol);
    }
    // Another kind never reads the snapshot, and nothing changes.
    TArbolAVL avl;
    h.Anotar(Ins(9));
    EXPECT_FALSE(h.Deshacer(avl));
    EXPECT_EQ(h.NumOper(), 3);
}

}  // namespace
