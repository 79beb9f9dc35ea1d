// Every icon group of a PE file written as .ico files by the resedit library, in one process:
//   node resedit_all.js FILE OUTDIR   (NODE_PATH names the directory that holds resedit)
const fs = require('fs');
const ResEdit = require('resedit');

// resedit refuses files with COFF symbols (Wine's have them): the count is cleared in memory.
const bytes = fs.readFileSync(process.argv[2]);
bytes.writeUInt32LE(0, bytes.readUInt32LE(0x3c) + 4 + 12);
const exe = ResEdit.NtExecutable.from(bytes, { ignoreCert: true });
const resources = ResEdit.NtExecutableResource.from(exe);
ResEdit.Resource.IconGroupEntry.fromEntries(resources.entries).forEach((group, index) => {
    const ico = new ResEdit.Data.IconFile();
    ico.icons = group.getIconItemsFromEntries(resources.entries).map((item) => ({ data: item }));
    fs.writeFileSync(`${process.argv[3]}/${String(index).padStart(3, '0')}.ico`,
        Buffer.from(ico.generate()));
});
