# Sourced by scripts/test and bench/run: starts a private CUPS spooler with a
# PDF printer as its default, so cheques can be printed for real and measured.
#
# The spooler has its own configuration, programs and socket in a temporary
# folder and never touches the system's printers or folders; it is stopped
# when the sourcing script exits. It runs as root or as any other user.
# Afterwards:
#   CUPS_SERVER           the spooler's socket (read by every CUPS program)
#   QUILLMARK_PDF_DIR     where the printer writes each job as a PDF file
#   QUILLMARK_PRINTER     the printer's name
#   QUILLMARK_PRINTER_PPD its description: envelope #10 with uneven margins

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
# printer-driver-cups-pdf only for its printer description.
need_packages cups ghostscript printer-driver-cups-pdf poppler-utils

quillmark_cups_dir=$(mktemp -d /tmp/quillmark-cups.XXXXXX)
# The filters run as the unprivileged user lp and must reach the spool.
chmod 755 "$quillmark_cups_dir"
mkdir -p "$quillmark_cups_dir"/{spool/tmp,cache,state,log,ppd,pdf,bin/backend}
chmod 1777 "$quillmark_cups_dir/spool/tmp" "$quillmark_cups_dir/pdf"

cat >"$quillmark_cups_dir/cupsd.conf" <<EOF
Listen $quillmark_cups_dir/cups.sock
LogLevel warn
Browsing Off
WebInterface No
DefaultPolicy open
<Policy open>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF

cat >"$quillmark_cups_dir/cups-files.conf" <<EOF
ServerRoot $quillmark_cups_dir
RequestRoot $quillmark_cups_dir/spool
TempDir $quillmark_cups_dir/spool/tmp
CacheDir $quillmark_cups_dir/cache
StateDir $quillmark_cups_dir/state
AccessLog $quillmark_cups_dir/log/access_log
ErrorLog $quillmark_cups_dir/log/error_log
PageLog $quillmark_cups_dir/log/page_log
ServerBin $quillmark_cups_dir/bin
SystemGroup root
Sandboxing Relaxed
EOF

export QUILLMARK_PRINTER="Quillmark_PDF"
export QUILLMARK_PDF_DIR="$quillmark_cups_dir/pdf"
export QUILLMARK_PRINTER_PPD="$quillmark_cups_dir/ppd/quillmark.ppd"

# The system's filters and helpers, and one backend of our own: the stock PDF
# backend reads its settings from /etc and only runs as root. Ours turns the
# job's PostScript into a PDF as that backend does, written under a
# temporary name so that no one reads it half done.
for part in /usr/lib/cups/*; do
    [ "$(basename "$part")" = backend ] || ln -s "$part" "$quillmark_cups_dir/bin/"
done
cat >"$quillmark_cups_dir/bin/backend/quillmark-pdf" <<EOF
#!/bin/sh
[ \$# -ge 5 ] || exit 0
pdf="$QUILLMARK_PDF_DIR/job-\$1.pdf"
/usr/bin/gs -q -dCompatibilityLevel=1.4 -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite \\
    -sOutputFile="\$pdf.part" -dAutoRotatePages=/PageByPage -dAutoFilterColorImages=false \\
    -dColorImageFilter=/FlateEncode -dPDFSETTINGS=/prepress -f "\${6:--}" || exit 1
mv "\$pdf.part" "\$pdf"
EOF
chmod 755 "$quillmark_cups_dir/bin/backend/quillmark-pdf"

# The stock cups-pdf description, with margins on the envelope that differ
# on every side (left 18 pt, bottom 27 pt, right 9 pt, top 36 pt), so that a
# test sees whether the printable area's corner is where it should be.
sed -e 's|^\*ImageableArea Env10/Envelope #10: .*|*ImageableArea Env10/Envelope #10: "18 27 288 648"|' \
    -e 's|^\*DefaultPageSize: .*|*DefaultPageSize: Env10|' \
    -e 's|^\*DefaultPageRegion: .*|*DefaultPageRegion: Env10|' \
    -e 's|^\*DefaultImageableArea: .*|*DefaultImageableArea: Env10|' \
    -e 's|^\*DefaultPaperDimension: .*|*DefaultPaperDimension: Env10|' \
    /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$QUILLMARK_PRINTER_PPD"

/usr/sbin/cupsd -f -c "$quillmark_cups_dir/cupsd.conf" -s "$quillmark_cups_dir/cups-files.conf" &
quillmark_cupsd_pid=$!

quillmark_stop_cups() {
    kill "$quillmark_cupsd_pid" 2>/dev/null && wait "$quillmark_cupsd_pid" 2>/dev/null
    rm -rf "$quillmark_cups_dir"
}
trap quillmark_stop_cups EXIT

export CUPS_SERVER="$quillmark_cups_dir/cups.sock"
for _ in $(seq 50); do
    [ -S "$CUPS_SERVER" ] && break
    sleep 0.1
done

# The default renderer turns text into Type 3 glyphs no text extractor reads.
lpadmin -p "$QUILLMARK_PRINTER" -E -v quillmark-pdf:/ -P "$QUILLMARK_PRINTER_PPD" \
    -o pdftops-renderer-default=pdftocairo
lpadmin -d "$QUILLMARK_PRINTER"
