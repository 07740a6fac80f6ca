# Sourced by the export checks: the export name table of a DLL dump
# (objdump -p) as it stands, one name a line, in the table's own order.
kr_export_table() {
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/\[ *[0-9]+\]/ { print $NF }'
}
