// The workspace's memory of what the user did: the structure the lesson
// started from (its kind and stream: empty at start-up, or what a file or a
// builder gave), every step since (insertions, deletions, emptyings, heap
// builds), and a cursor: the steps before it are done, the ones after it
// were undone and can be run again.
//
// Any earlier or later state is rebuilt, not kept: from the nearest snapshot
// at or before it (a saved stream), replaying the steps after it without
// reports. Snapshots are kept within a memory budget: past it every second
// one goes, then every second of those, and so on, so a history of a huge
// structure never holds a copy per step. The base's stream is always kept.
#pragma once

#include "uArbolBin.h"
#include "uListaOper.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

// One step of the history: the operation and the key it was given (the
// heap build and the emptying take none). A search is a step only where it
// restructures the tree (a splay tree). Variante: the algorithms it ran
// with, which a replay runs it with again (Anotar takes it from the
// structure; not shown, not stored in a list file).
struct TPaso {
    enum TTipo : std::uint8_t { Insercion, Borrado, Vaciado, Monticulo, Busqueda };
    constexpr TPaso(TTipo T = Insercion, std::int32_t K = 0, TVariante V = TVariante::Original)
        : Tipo(T), Variante(V), Clave(K) {}
    TTipo Tipo;
    TVariante Variante;  // beside the type: a step stays 8 bytes
    std::int32_t Clave;

    // As the history panel lists it: "Insertar 40", "Borrar 7", "Vaciar",
    // "Crear montículo", "Buscar 3".
    std::string Texto() const;
    friend bool operator==(const TPaso&, const TPaso&) = default;
};

class THistoria {
public:
    // Bytes of snapshots kept beside the base's stream.
    static constexpr std::size_t kPresupuesto = std::size_t{64} << 20;
    THistoria() : THistoria(kPresupuesto) {}
    explicit THistoria(std::size_t Presupuesto);

    // Starts again from Base (a file opened, a builder, a new kind): no steps.
    void Reiniciar(const TArbolBin& Base);
    // From Base with the given steps, the first Actual of them done; the
    // structure of that point is rebuilt by IrA (Actual) afterwards.
    void Reiniciar(const TArbolBin& Base, std::vector<TPaso> Pasos, std::size_t Actual);

    // A step just done: Arbol holds its result, and its variant is the one
    // the step ran with. The undone steps are dropped.
    // Raises EArbol ("La lista de operaciones está llena!") once the history
    // holds as many steps as a 32-bit count can say.
    void Anotar(TPaso Paso, const TArbolBin& Arbol);
    // The next undone step was run again and Arbol holds its result.
    void Avanzar(const TArbolBin& Arbol);
    // The structure after the first K steps (K at most NumPasos), built
    // aside; the cursor then stands at K. Avance is the progress hook, called
    // with the steps replayed; it may throw ECancelado, and nothing changes.
    // A step the engine refuses (EArbol) keeps what it changed and the replay
    // goes on, as the live run went on after the message; with Error given,
    // the replay stops there instead, the cursor after the failing step, and
    // Error gets the engine's text. Each step runs with its own variant; the
    // result keeps the last one replayed (the caller sets the one wanted next).
    std::unique_ptr<TArbolBin> IrA(std::size_t K, const std::function<void(std::int64_t)>& Avance = {},
                                   std::string* Error = nullptr);

    std::span<const TPaso> Pasos() const { return Pasos_; }
    std::size_t NumPasos() const { return Pasos_.size(); }
    std::size_t Actual() const { return Actual_; }
    bool PuedeDeshacer() const { return Actual_ > 0; }
    bool PuedeRehacer() const { return Actual_ < Pasos_.size(); }
    TClaseArbol Clase() const { return Clase_; }

    // The insertions and deletions among the done steps after the last
    // emptying: what a change of kind replays and the list file stores.
    std::vector<TOperacion> Operaciones() const;
    std::int32_t NumOper() const { return static_cast<std::int32_t>(Operaciones().size()); }
    std::vector<std::int32_t> Entradas() const;

    // How many leading steps are as they were at the last OlvidarCambios
    // (a view of the list redraws only the rest).
    std::size_t PasosSinCambio() const { return std::min(SinCambio_, Pasos_.size()); }
    void OlvidarCambios() { SinCambio_ = Pasos_.size(); }

    // The snapshots held (the base's included), and their bytes.
    std::size_t NumInstantaneas() const { return Fotos_.size(); }
    std::size_t BytesInstantaneas() const;

private:
    // Keeps Arbol's stream as the state after K steps when K falls on the
    // current spacing; thins the snapshots past the budget.
    void Fotografiar(std::size_t K, const TArbolBin& Arbol);
    // Runs a step without reports, as the live run did (with its variant; a
    // heap build as the kind builds it; nothing for a kind without one).
    static void Aplicar(TArbolBin& Arbol, TPaso Paso);

    std::size_t Presupuesto_;
    TClaseArbol Clase_ = nullptr;
    std::vector<TPaso> Pasos_;
    std::size_t Actual_ = 0;
    // State after K steps -> its stream; 0, the base, always there.
    std::map<std::size_t, std::vector<std::uint8_t>> Fotos_;
    std::size_t BytesFotos_ = 0;  // without the base's
    std::size_t Espacio_ = 1;     // snapshots only at multiples of this
    std::size_t SinCambio_ = 0;
};
