#include "uAlmacenQSettings.h"

#include <QFile>

#include <limits>

TAlmacenQSettings::TAlmacenQSettings() = default;

TAlmacenQSettings::TAlmacenQSettings(const QString& fichero) : Fichero_(fichero) {}

std::unique_ptr<QSettings> TAlmacenQSettings::Crear() const {
  if (Fichero_.isEmpty())
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("TALMERA"), QStringLiteral("Quelvar"));
  return std::make_unique<QSettings>(Fichero_, QSettings::IniFormat);
}

QString TAlmacenQSettings::Fichero() const { return Crear()->fileName(); }

bool TAlmacenQSettings::Abrir() {
  Pendientes_.clear();
  Ajustes_ = Crear();
  switch (Ajustes_->status()) {
    case QSettings::NoError: return true;
    case QSettings::FormatError:
      // A damaged store reads as an empty key; writing replaces it.
      Ajustes_.reset();
      return true;
    case QSettings::AccessError: break;
  }
  Ajustes_.reset();
  return false;
}

bool TAlmacenQSettings::Existe(const QString& nombre) const {
  return Ajustes_ && Ajustes_->contains(nombre);
}

std::optional<std::int32_t> TAlmacenQSettings::LeerEntero(const QString& nombre) const {
  if (!Ajustes_)
    return std::nullopt;
  const QVariant v = Ajustes_->value(nombre);
  // Only text or a whole number is an integer value; a list is another type.
  if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::Int &&
      v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::UInt)
    return std::nullopt;
  bool ok = false;
  const qlonglong n = v.typeId() == QMetaType::QString ? v.toString().trimmed().toLongLong(&ok)
                                                      : v.toLongLong(&ok);
  if (!ok || n < std::numeric_limits<std::int32_t>::min() ||
      n > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(n);
}

std::optional<QString> TAlmacenQSettings::LeerCadena(const QString& nombre) const {
  if (!Ajustes_)
    return std::nullopt;
  const QVariant v = Ajustes_->value(nombre);
  if (v.typeId() != QMetaType::QString)
    return std::nullopt;
  return v.toString();
}

void TAlmacenQSettings::EscribirEntero(const QString& nombre, std::int32_t valor) {
  Pendientes_[nombre] = QVariant(static_cast<int>(valor));
}

void TAlmacenQSettings::EscribirCadena(const QString& nombre, const QString& valor) {
  Pendientes_[nombre] = QVariant(valor);
}

bool TAlmacenQSettings::Cerrar() {
  Ajustes_.reset();
  if (Pendientes_.empty())
    return true;
  auto ajustes = Crear();
  if (ajustes->status() == QSettings::FormatError) {
    // A store damaged by hand is replaced by the values being written rather
    // than refused for ever.
    ajustes.reset();
    QFile::remove(Crear()->fileName());
    ajustes = Crear();
  }
  for (const auto& [nombre, valor] : Pendientes_)
    ajustes->setValue(nombre, valor);
  Pendientes_.clear();
  ajustes->sync();
  return ajustes->status() == QSettings::NoError;
}
