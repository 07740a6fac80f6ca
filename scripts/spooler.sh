# Sourced by scripts/wine-env.sh: the print spooler (CUPS) with the PDF
# queue KrPDF as the default printer, so that every print job of the tests
# ends as a PDF file in $KR_PDF_DIR. Wine asks the spooler for its printers
# when each program starts, so this comes before the first Wine program.
# kr_stop_spooler stops the spooler only when kr_start_spooler started it.

KR_PDF_QUEUE=KrPDF
KR_PDF_DIR=/var/spool/cups-pdf/$KR_PDF_QUEUE
KR_CUPSD_PID=

kr_spooler_running() {
  lpstat -r 2>/dev/null | grep -q 'scheduler is running'
}

# The queue on cups-pdf, whose configuration of its own names where the
# PDFs go; enabled and the default. Each step only when not so already.
kr_pdf_queue() {
  local conf=/etc/cups/cups-pdf-$KR_PDF_QUEUE.conf
  mkdir -p "$KR_PDF_DIR"
  if [ "$(cat "$conf" 2>/dev/null)" != "Out $KR_PDF_DIR" ]; then
    echo "Out $KR_PDF_DIR" >"$conf"
  fi
  if ! lpstat -v "$KR_PDF_QUEUE" 2>/dev/null | grep -q "cups-pdf:/$KR_PDF_QUEUE\$"; then
    # "drivers are deprecated": the warning of every queue with a PPD.
    lpadmin -p "$KR_PDF_QUEUE" -v "cups-pdf:/$KR_PDF_QUEUE" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  fi
  if ! lpstat -p "$KR_PDF_QUEUE" 2>/dev/null | grep -q 'enabled'; then
    cupsenable "$KR_PDF_QUEUE"
  fi
  cupsaccept "$KR_PDF_QUEUE"
  if ! lpstat -d 2>/dev/null | grep -q ": $KR_PDF_QUEUE\$"; then
    lpadmin -d "$KR_PDF_QUEUE"
  fi
}

kr_start_spooler() {
  if ! kr_spooler_running; then
    mkdir -p /run/cups
    cupsd -f </dev/null >/dev/null 2>&1 &
    KR_CUPSD_PID=$!
    for _ in $(seq 200); do
      kr_spooler_running && break
      sleep 0.05
    done
    kr_spooler_running || { echo "the print spooler (cupsd) did not start" >&2; return 1; }
  fi
  kr_pdf_queue
}

kr_stop_spooler() {
  if [ -n "$KR_CUPSD_PID" ]; then
    kill "$KR_CUPSD_PID" 2>/dev/null || true
    wait "$KR_CUPSD_PID" 2>/dev/null || true
    KR_CUPSD_PID=
  fi
}
